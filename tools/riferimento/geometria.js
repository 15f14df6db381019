'use strict';
// Geometry of Jupiter, its four large satellites, the Sun and the Earth at one instant,
// built on astronomy-engine: VSOP87 (Earth), L1.2 (satellites), the IAU pole; Jupiter from
// the full VSOP87B series as shipped by the astronomia package (astronomy-engine keeps only
// 72 of its terms, 3-10" off the full series in 2026-2040).
// Heliocentric J2000 equatorial frame (EQJ), km and seconds unless stated.

const A = require('astronomy-engine');
const { planetposition } = require('astronomia');
const vsop87BGiove = require('astronomia/data/vsop87Bjupiter');

const KM_UA = 149597870.7;
const C = 299792.458;                 // km/s
const GIORNO = 86400;
const J2000 = 2451545.0;
const GM_SOLE = 132712440041.9394;   // km^3/s^2
const GM_GIOVE = 126686534.0;        // km^3/s^2
const RA = 71492, RB = 66854;        // Jupiter's equatorial and polar radii
const K = RA / RB;                   // stretch along the pole that turns the ellipsoid into a sphere
const NOMI = ['io', 'europa', 'ganymede', 'callisto'];

const add = (a, b) => [a[0] + b[0], a[1] + b[1], a[2] + b[2]];
const sub = (a, b) => [a[0] - b[0], a[1] - b[1], a[2] - b[2]];
const mul = (a, k) => [a[0] * k, a[1] * k, a[2] * k];
const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
const norm = (a) => Math.sqrt(dot(a, a));
const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];

let deltaT = 69;   // s, TT - UT
function impostaDeltaT(secondi) {
  deltaT = secondi;
  A.SetDeltaTFunction(() => secondi);
}
const ttDaUt = (ut) => ut + deltaT / GIORNO;   // both in days from J2000

// A state: position (km), velocity (km/s), acceleration (km/s^2) at TT day `tt`;
// `a` lets a few seconds of light time be bridged by a second-order Taylor step.
function stato(sv, tt, gm) {
  const r = [sv.x * KM_UA, sv.y * KM_UA, sv.z * KM_UA];
  const v = [sv.vx * KM_UA / GIORNO, sv.vy * KM_UA / GIORNO, sv.vz * KM_UA / GIORNO];
  const d = norm(r);
  return { tt, r, v, a: mul(r, -gm / (d * d * d)) };
}
function estrapola(st, tt) {
  const dt = (tt - st.tt) * GIORNO;
  return add(add(st.r, mul(st.v, dt)), mul(st.a, 0.5 * dt * dt));
}

// Jupiter's heliocentric place from VSOP87B (J2000 ecliptic, AU), turned to the J2000
// equator by the rotation published with VSOP87.
const serieGiove = new planetposition.Planet(vsop87BGiove.default || vsop87BGiove);
function gioveVsop(tt) {
  const c = serieGiove.position2000(J2000 + tt);
  const x = c.range * Math.cos(c.lat) * Math.cos(c.lon);
  const y = c.range * Math.cos(c.lat) * Math.sin(c.lon);
  const z = c.range * Math.sin(c.lat);
  return [x + 0.000000440360 * y - 0.000000190919 * z,
          -0.000000479966 * x + 0.917482137087 * y - 0.397776982902 * z,
          0.397776982902 * y + 0.917482137087 * z];
}
function giove(tt) {
  const h = 0.01;   // days: the velocity as a central difference
  const r = gioveVsop(tt), r1 = gioveVsop(tt - h), r2 = gioveVsop(tt + h);
  const v = mul(sub(r2, r1), 1 / (2 * h));
  return stato({ x: r[0], y: r[1], z: r[2], vx: v[0], vy: v[1], vz: v[2] }, tt, GM_SOLE);
}
const terra = (tt) => stato(A.HelioState(A.Body.Earth, A.AstroTime.FromTerrestrialTime(tt)), tt, GM_SOLE);
function satelliti(tt) {
  const m = A.JupiterMoons(A.AstroTime.FromTerrestrialTime(tt));
  return NOMI.map((n) => stato(m[n], tt, GM_GIOVE));
}

// Jupiter's pole (IAU/WGCCRE 2015, unit vector in EQJ) and System II prime meridian angle (deg).
function polo(tt) {
  const ax = A.RotationAxis(A.Body.Jupiter, A.AstroTime.FromTerrestrialTime(tt));
  return { p: [ax.north.x, ax.north.y, ax.north.z], ra: ax.ra * 15 };
}
const W2 = (tt) => 43.3 + 870.270 * tt;

// Jupiter-centred vector -> the frame where the ellipsoid is the sphere of radius RA.
const stira = (v, p) => add(v, mul(p, (K - 1) * dot(v, p)));
const comprimi = (v, p) => add(v, mul(p, (1 / K - 1) * dot(v, p)));

// The line from o through x (Jupiter-centred, stretched): miss distance from the sphere
// (km, < 0 when it meets the ellipsoid), whether x lies before the closest point, and the
// first point where the line meets the sphere (the nearest sphere point when it misses).
function linea(o, x) {
  const dx = sub(x, o), lx = norm(dx), u = mul(dx, 1 / lx);
  const lc = -dot(o, u);
  const c = add(o, mul(u, lc)), dc = norm(c);
  const dentro = RA * RA - dc * dc;
  const punto = dentro >= 0 ? add(o, mul(u, lc - Math.sqrt(dentro))) : mul(c, RA / dc);
  return { g: dc - RA, davanti: lx < lc, punto };
}

// The Earth at TT `tt`, and Jupiter's state at the emission time tJ of the light that reaches it.
function terraGiove(tt) {
  const E = terra(tt).r;
  let tJ = tt - norm(sub(giove(tt).r, E)) / C / GIORNO;
  let J = giove(tJ);
  for (let i = 0; i < 2; i++) { tJ = tt - norm(sub(J.r, E)) / C / GIORNO; J = giove(tJ); }
  return { E, J, tJ };
}

// Everything the phenomena need at the observation instant `ut` (UT days from J2000).
function istante(ut) {
  const tt = ttDaUt(ut);
  const { E, J, tJ } = terraGiove(tt);
  const Jc = J.r;
  const { p, ra } = polo(tJ);
  const sats = satelliti(tJ);
  const Es = stira(sub(E, Jc), p);
  const eJ = mul(sub(E, Jc), 1 / norm(sub(E, Jc)));   // unit vector Jupiter -> Earth
  const out = { ut, tt, tJ, E, Jc, p, ra, sat: [] };
  for (let k = 0; k < 4; k++) {
    const s = sats[k];
    const hel = (t) => add(estrapola(J, t), estrapola(s, t));   // heliocentric satellite at TT t
    // the satellite's own emission time towards the Earth
    let tS = tJ;
    for (let i = 0; i < 3; i++) tS = tt - norm(sub(hel(tS), E)) / C / GIORNO;
    const S = hel(tS);
    // transit / occultation: the line Earth -> satellite against Jupiter at tJ
    const terraLinea = linea(Es, stira(sub(S, Jc), p));
    // eclipse: sunlight reaching S at tS passed Jupiter (d/c earlier, d along the ray)
    const u = mul(S, 1 / norm(S));
    const tJe = tS - dot(sub(S, estrapola(J, tS)), u) / C / GIORNO;
    const Je = estrapola(J, tJe);
    const eclisse = linea(stira(mul(Je, -1), p), stira(sub(S, Je), p));
    // shadow: the point P of Jupiter seen at tt; the sunlight reaching P passed the
    // satellite |P - S|/c earlier (aberration of sunlight at Jupiter)
    let tP = tJ, t2 = tJ - norm(s.r) / C / GIORNO, ombra, S2, Jp;
    for (let i = 0; i < 3; i++) {
      Jp = estrapola(J, tP);
      S2 = hel(t2);
      ombra = linea(stira(mul(Jp, -1), p), stira(sub(S2, Jp), p));
      const P = add(Jp, comprimi(ombra.punto, p));
      t2 = tP - norm(sub(P, S2)) / C / GIORNO;
      tP = tJ + dot(sub(P, Jp), eJ) / C / GIORNO;
    }
    // visibility of the shadow's centre from the Earth: P.E > RA^2 on the sphere
    const Ep = stira(sub(E, Jp), p), dE = norm(Ep);
    const vis = (dot(ombra.punto, Ep) - RA * RA) / dE;
    out.sat.push({
      tS, S,
      gE: terraLinea.g, frontE: terraLinea.davanti,
      gEc: eclisse.g, frontEc: eclisse.davanti,
      gSh: ombra.g, frontSh: ombra.davanti, visSh: vis,
    });
  }
  return out;
}

// System II central meridian (deg, 0..360): geometric sub-Earth west longitude, light-time corrected.
function meridianoCentrale(ut) {
  const { E, J, tJ } = terraGiove(ttDaUt(ut));
  const { p, ra } = polo(tJ);
  const r = ra * Math.PI / 180;
  const N = [-Math.sin(r), Math.cos(r), 0];          // ascending node of Jupiter's equator on the EQJ equator
  const M = cross(p, N);                             // 90 deg east of it
  const e = sub(E, J.r);
  const theta = Math.atan2(dot(e, M), dot(e, N)) * 180 / Math.PI;
  return ((W2(tJ) - theta) % 360 + 360) % 360;
}

// Topocentric altitudes (deg, no refraction) of Jupiter's and the Sun's centres.
function altezze(ut, osservatore) {
  const t = new A.AstroTime(ut);
  const alt = (corpo) => {
    const eq = A.Equator(corpo, t, osservatore, true, true);
    return A.Horizon(t, osservatore, eq.ra, eq.dec).altitude;
  };
  return { giove: alt(A.Body.Jupiter), sole: alt(A.Body.Sun) };
}

module.exports = {
  A, J2000, GIORNO, C, RA, RB, K, impostaDeltaT, ttDaUt, istante, meridianoCentrale, altezze,
  KM_UA, NOMI, vec: { add, sub, mul, dot, norm, cross }, giove, terra, terraGiove, satelliti, polo, stira, comprimi, linea, estrapola, W2,
};
