'use strict';
// Mutual events of the Galilean satellites: occultations (A covers B as seen from the Earth)
// and eclipses (B in the penumbra of A's shadow), with contacts, maximum, impact, kind,
// magnitude drop and where B stands relative to Jupiter.

const G = require('./geometria');
const { radice, minimo, zeri } = require('./numerica');
const { stati } = require('./fenomeni');
const { add, sub, mul, dot, norm } = G.vec;

const RAGGI = [1821.6, 1560.8, 2631.2, 2410.3];         // km: Io, Europa, Ganymede, Callisto
const MAG_OPPOSIZIONE = [-1.68, -1.41, -2.09, -1.05];
const R_SOLE = 695700;                                  // km, IAU nominal solar radius
const NOMI = ['Io', 'Europa', 'Ganimede', 'Callisto'];

const PASSO = 5 / 1440;     // scan step, days
const TOL = 1e-9;           // days
const MARGINE = 0.25;       // days scanned beyond the window
const CALO_MINIMO = 0.001;  // mag

// Positions at the observation instant ut: the Earth, and each satellite at its own emission
// time towards the Earth, with a way to place it at any nearby TT (for the Sun -> A -> B path).
function posizioni(ut) {
  const tt = G.ttDaUt(ut);
  const { E, J, tJ } = G.terraGiove(tt);
  const sats = G.satelliti(tJ);
  const giorni = (km) => km / G.C / G.GIORNO;
  return {
    E,
    sat: sats.map((s) => {
      const hel = (t) => add(G.estrapola(J, t), G.estrapola(s, t));
      let tS = tJ;
      for (let i = 0; i < 3; i++) tS = tt - giorni(norm(sub(hel(tS), E)));
      return { tS, S: hel(tS), hel };
    }),
  };
}

// Occultation geometry of A in front of B: apparent separation and A's radius, both in km at B's distance.
function occultazione(pos, a, b) {
  const da = sub(pos.sat[a].S, pos.E), db = sub(pos.sat[b].S, pos.E);
  const la = norm(da), lb = norm(db);
  // the angle between the two directions, from the chord of the unit vectors (exact for tiny angles)
  const ang = 2 * Math.asin(Math.min(1, norm(sub(mul(da, 1 / la), mul(db, 1 / lb))) / 2));
  return { sep: ang * lb, ra: RAGGI[a] * lb / la, rb: RAGGI[b], davanti: la < lb };
}

// Eclipse geometry of B by A's shadow: B at its emission time tB, A when the sunlight that
// reaches B passed it (tB - |A - B|/c). Distances in km in the plane across the axis at B.
function eclisse(pos, a, b) {
  const { tS, S: B } = pos.sat[b];
  let tA = tS, A = pos.sat[a].hel(tA);
  for (let i = 0; i < 3; i++) { tA = tS - norm(sub(B, A)) / G.C / G.GIORNO; A = pos.sat[a].hel(tA); }
  const dA = norm(A), u = mul(A, 1 / dA);
  const x = dot(sub(B, A), u);                      // distance of B beyond A along the axis
  const perp = norm(sub(sub(B, A), mul(u, x)));     // B's centre from the axis
  const ra = RAGGI[a];
  return {
    perp, x, dA,
    penombra: ra + x * (R_SOLE + ra) / dA,          // radius of the penumbra's outer edge at B
    ombra: ra - x * (R_SOLE - ra) / dA,             // umbra (< 0: antumbra) radius at B
  };
}

// Area of the intersection of two disks of radii r1, r2 at centre distance d.
function intersezione(r1, r2, d) {
  if (d >= r1 + r2) return 0;
  if (d <= Math.abs(r1 - r2)) return Math.PI * Math.min(r1, r2) ** 2;
  const a1 = Math.acos(Math.max(-1, Math.min(1, (d * d + r1 * r1 - r2 * r2) / (2 * d * r1))));
  const a2 = Math.acos(Math.max(-1, Math.min(1, (d * d + r2 * r2 - r1 * r1) / (2 * d * r2))));
  return r1 * r1 * (a1 - Math.sin(2 * a1) / 2) + r2 * r2 * (a2 - Math.sin(2 * a2) / 2);
}

// Kind of a two-disk overlap: the passive disk (rb) covered whole, the active one (ra) inside it, or partial.
function genere(ra, rb, d) {
  if (d + rb <= ra) return 'totale';
  if (d + ra <= rb) return 'anulare';
  return 'parziale';
}

// Drop (mag) of the combined light of A and B when A covers the fraction f of B.
function caloOccultazione(a, b, g) {
  const fa = 10 ** (-0.4 * MAG_OPPOSIZIONE[a]), fb = 10 ** (-0.4 * MAG_OPPOSIZIONE[b]);
  const f = intersezione(g.ra, g.rb, g.sep) / (Math.PI * g.rb * g.rb);
  return -2.5 * Math.log10((fa + fb * (1 - f)) / (fa + fb));
}

// Drop (mag) of B's light: B a uniform disk, each of its points lit by the part of the solar
// disk that A leaves uncovered, as seen from that point.
function caloEclisse(a, b, g) {
  const ra = RAGGI[a], rb = RAGGI[b], { x, dA, perp } = g;
  const sigmaSole = R_SOLE / (dA + x), sigmaA = ra / x;
  const luce = (rho) => {
    const delta = rho * dA / (x * (dA + x));
    return 1 - intersezione(sigmaSole, sigmaA, delta) / (Math.PI * sigmaSole * sigmaSole);
  };
  // the arc of the circle of radius rho (about the axis) that lies on B's disk
  const arco = (rho) => {
    if (perp === 0 || rho <= rb - perp) return 2 * Math.PI * rho;
    const c = (rho * rho + perp * perp - rb * rb) / (2 * rho * perp);
    return 2 * rho * Math.acos(Math.max(-1, Math.min(1, c)));
  };
  const r0 = Math.max(0, perp - rb), r1 = perp + rb;
  // split where the integrand has kinks; Gauss-Legendre on each piece after a cosine stretch
  const tagli = [r0, r1, Math.abs(rb - perp), g.penombra, Math.abs(g.ombra)]
    .filter((r) => r >= r0 && r <= r1).sort((p, q) => p - q);
  let somma = 0;
  for (let i = 0; i + 1 < tagli.length; i++) {
    const p = tagli[i], q = tagli[i + 1];
    if (q - p < 1e-9) continue;
    const n = 64;
    for (let j = 0; j < n; j++) {
      const th0 = Math.PI * j / n, th1 = Math.PI * (j + 1) / n;
      for (const [xi, w] of GL) {
        const th = (th0 + th1) / 2 + xi * (th1 - th0) / 2;
        const rho = p + (q - p) * (1 - Math.cos(th)) / 2;
        const jac = (q - p) * Math.sin(th) / 2 * (th1 - th0) / 2;
        somma += w * jac * luce(rho) * arco(rho);
      }
    }
  }
  const frazione = somma / (Math.PI * rb * rb);
  if (frazione <= 10 ** (-0.4 * 9.99)) return 9.99;
  return Math.min(9.99, -2.5 * Math.log10(frazione));
}
const GL = [[-0.8611363115940526, 0.3478548451374538], [-0.3399810435848563, 0.6521451548625461],
  [0.3399810435848563, 0.6521451548625461], [0.8611363115940526, 0.3478548451374538]];

// The contact functions (km, < 0 during the event) of one ordered pair and kind.
function funzione(tipo, a, b) {
  if (tipo === 'OCC') return (pos) => { const g = occultazione(pos, a, b); return g.sep - g.ra - g.rb; };
  return (pos) => { const g = eclisse(pos, a, b); return g.perp - g.penombra - RAGGI[b]; };
}
const distanza = (tipo, a, b) => (tipo === 'OCC')
  ? (pos) => occultazione(pos, a, b).sep / norm(sub(pos.sat[b].S, pos.E))   // angle, rad
  : (pos) => eclisse(pos, a, b).perp;

// The smallest value of f over [t1, t2]: a slow event can hold two approaches (the distance
// falls, rises a little and falls again, all within the contacts); the deeper one is the maximum.
function minimoGlobale(f, t1, t2) {
  const n = Math.max(8, Math.ceil((t2 - t1) * 1440));   // about one sample a minute
  let migliore = 0, fm = Infinity;
  for (let i = 0; i <= n; i++) {
    const v = f(t1 + (t2 - t1) * i / n);
    if (v < fm) { fm = v; migliore = i; }
  }
  const a = t1 + (t2 - t1) * Math.max(0, migliore - 1) / n, b = t1 + (t2 - t1) * Math.min(n, migliore + 1) / n;
  return minimo(f, a, b, TOL).x;
}

// Mutual events whose maximum falls in [ut0, ut1) (UT days from J2000).
function eventiMutui(ut0, ut1, passo = PASSO) {
  const cache = new Map();
  const pos = (t) => { let p = cache.get(t); if (!p) { p = posizioni(t); cache.set(t, p); } return p; };
  const eventi = [];
  for (const tipo of ['OCC', 'ECL']) {
    for (let a = 0; a < 4; a++) {
      for (let b = 0; b < 4; b++) {
        if (a === b) continue;
        const f = funzione(tipo, a, b), dist = distanza(tipo, a, b);
        const z = zeri((t) => f(pos(t)), ut0 - MARGINE, ut1 + MARGINE, passo, TOL);
        for (let i = 0; i + 1 < z.length; i++) {
          const t1 = z[i], t2 = z[i + 1];
          if (!(f(pos((t1 + t2) / 2)) < 0)) continue;          // the pair must bound an event
          const m = minimoGlobale((t) => dist(pos(t)), t1, t2);
          if (m < ut0 || m >= ut1) continue;
          const p = pos(m);
          let impatto, calo, kind;
          if (tipo === 'OCC') {
            const g = occultazione(p, a, b);
            if (!g.davanti) continue;
            impatto = g.sep; kind = genere(g.ra, g.rb, g.sep); calo = caloOccultazione(a, b, g);
          } else {
            const g = eclisse(p, a, b);
            if (g.x <= 0) continue;
            impatto = g.perp; kind = genere(Math.abs(g.ombra), RAGGI[b], g.perp);
            if (kind === 'totale' && g.ombra < 0) kind = 'anulare';
            calo = caloEclisse(a, b, g);
          }
          if (calo < CALO_MINIMO) continue;
          eventi.push({ tipo, attivo: a + 1, passivo: b + 1, inizio: t1, massimo: m, fine: t2, impatto, calo, genere: kind });
        }
      }
    }
  }
  return eventi.sort((x, y) => x.massimo - y.massimo);
}

// Where B stands at the maximum: behind Jupiter, in its shadow, A in Jupiter's shadow (for an
// eclipse: A then casts no shadow), in front of the disk, or clear; the first that applies.
function posizioneGiove(e) {
  const ist = G.istante(e.massimo);
  const b = stati(ist, e.passivo - 1), a = stati(ist, e.attivo - 1);
  if (b.Oc) return 'dietro';
  if (b.Ec) return 'ombra';
  if (e.tipo === 'ECL' && a.Ec) return 'attivo_in_ombra';
  if (b.Tr) return 'davanti';
  return 'libero';
}

function descrizione(e) {
  const verbo = e.tipo === 'OCC' ? 'occulta' : 'eclissa';
  const calo = (Math.min(e.calo, 9.99)).toFixed(2).replace('.', ',');
  return `${NOMI[e.attivo - 1]} ${verbo} ${NOMI[e.passivo - 1]} (${e.genere}, calo ${calo} mag)`;
}

// A window's mutual events with the altitudes at maximum and Jupiter's flag.
function mutui(finestra, osservatore) {
  G.impostaDeltaT(finestra.delta_t);
  const ut0 = finestra.inizio_jd_ut - G.J2000;
  const lista = eventiMutui(ut0, ut0 + finestra.giorni);
  for (const e of lista) {
    const h = G.altezze(e.massimo, osservatore);
    e.alt_giove = h.giove;
    e.alt_sole = h.sole;
    e.giove = posizioneGiove(e);
    e.descrizione = descrizione(e);
  }
  return lista;
}

module.exports = {
  RAGGI, MAG_OPPOSIZIONE, R_SOLE, posizioni, occultazione, eclisse, intersezione, genere,
  caloOccultazione, caloEclisse, eventiMutui, mutui, descrizione,
};
