'use strict';
// Root finding and minimisation on one real variable, plus a scan that finds every
// sign change of a smooth function, grazing ones included.

// Brent's root finder on [a, b] with f(a), f(b) of opposite signs (or one zero).
function radice(f, a, b, fa, fb, tol) {
  if (fa === 0) return a;
  if (fb === 0) return b;
  let c = a, fc = fa, d = b - a, e = d;
  for (let iter = 0; iter < 200; iter++) {
    if ((fb > 0) === (fc > 0)) { c = a; fc = fa; d = b - a; e = d; }
    if (Math.abs(fc) < Math.abs(fb)) { a = b; b = c; c = a; fa = fb; fb = fc; fc = fa; }
    const tol1 = 2 * Number.EPSILON * Math.abs(b) + 0.5 * tol;
    const m = 0.5 * (c - b);
    if (Math.abs(m) <= tol1 || fb === 0) return b;
    if (Math.abs(e) >= tol1 && Math.abs(fa) > Math.abs(fb)) {
      // inverse quadratic (or secant) step
      const s = fb / fa;
      let p, q;
      if (a === c) { p = 2 * m * s; q = 1 - s; }
      else {
        const qq = fa / fc, r = fb / fc;
        p = s * (2 * m * qq * (qq - r) - (b - a) * (r - 1));
        q = (qq - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) q = -q; else p = -p;
      if (2 * p < Math.min(3 * m * q - Math.abs(tol1 * q), Math.abs(e * q))) { e = d; d = p / q; }
      else { d = m; e = m; }
    } else { d = m; e = m; }
    a = b; fa = fb;
    b += Math.abs(d) > tol1 ? d : (m > 0 ? tol1 : -tol1);
    fb = f(b);
  }
  return b;
}

// Brent's minimiser (golden section with parabolic steps) of f on [a, b].
function minimo(f, a, b, tol) {
  const G = 0.3819660112501051;
  let x = a + G * (b - a), w = x, v = x;
  let fx = f(x), fw = fx, fv = fx, d = 0, e = 0;
  for (let iter = 0; iter < 200; iter++) {
    const xm = 0.5 * (a + b), tol1 = tol + 1e-12 * Math.abs(x), tol2 = 2 * tol1;
    if (Math.abs(x - xm) <= tol2 - 0.5 * (b - a)) break;
    let usaOro = true;
    if (Math.abs(e) > tol1) {
      let r = (x - w) * (fx - fv), q = (x - v) * (fx - fw), p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p; else q = -q;
      if (Math.abs(p) < Math.abs(0.5 * q * e) && p > q * (a - x) && p < q * (b - x)) {
        e = d; d = p / q; usaOro = false;
        const u = x + d;
        if (u - a < tol2 || b - u < tol2) d = xm - x >= 0 ? tol1 : -tol1;
      }
    }
    if (usaOro) { e = (x >= xm ? a : b) - x; d = G * e; }
    const u = x + (Math.abs(d) >= tol1 ? d : (d > 0 ? tol1 : -tol1));
    const fu = f(u);
    if (fu <= fx) {
      if (u >= x) a = x; else b = x;
      v = w; fv = fw; w = x; fw = fx; x = u; fx = fu;
    } else {
      if (u < x) a = u; else b = u;
      if (fu <= fw || w === x) { v = w; fv = fw; w = u; fw = fu; }
      else if (fu <= fv || v === x || v === w) { v = u; fv = fu; }
    }
  }
  return { x, fx };
}

// Every zero of f in [t0, t1], f sampled every `passo`. Between samples of one sign a
// local extremum of the samples is refined: if the true extremum crosses zero (a
// grazing contact that the samples step over), both zeros are returned.
function zeri(f, t0, t1, passo, tol) {
  const n = Math.ceil((t1 - t0) / passo);
  const t = [], v = [];
  for (let i = 0; i <= n; i++) { t.push(t0 + i * passo); v.push(f(t0 + i * passo)); }
  const out = [];
  for (let i = 0; i < n; i++) {
    if ((v[i] > 0) !== (v[i + 1] > 0)) out.push(radice(f, t[i], t[i + 1], v[i], v[i + 1], tol));
  }
  for (let i = 1; i < n; i++) {
    const s = v[i] > 0 ? 1 : -1;
    // an extremum towards zero: |f| locally smallest, all three samples of one sign
    if ((v[i - 1] > 0) !== (v[i] > 0) || (v[i + 1] > 0) !== (v[i] > 0)) continue;
    if (!(s * v[i] <= s * v[i - 1] && s * v[i] <= s * v[i + 1])) continue;
    const g = (x) => s * f(x);
    const m = minimo(g, t[i - 1], t[i + 1], tol);
    if (m.fx >= 0) continue;
    out.push(radice(f, t[i - 1], m.x, v[i - 1], f(m.x), tol));
    out.push(radice(f, m.x, t[i + 1], f(m.x), v[i + 1], tol));
  }
  return out.sort((a, b) => a - b);
}

module.exports = { radice, minimo, zeri };
