#include "tools/sky_events.h"

#include <algorithm>
#include <cmath>

#include <erfa.h>
#include <erfam.h>

namespace sky {
namespace {

constexpr double kUnixEpochJd = 2440587.5;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kTropicalYear = 365.24219;
// A new moon of 2000-01-06 (TT, approximate): the root search starts from multiples of the
// mean synodic month away from it.
constexpr double kNewMoon2000 = 2451550.26;
// Stop when a step moves the instant by less than this, in days (a few milliseconds).
constexpr double kTolerance = 5e-8;

double Wrap180(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  if (degrees > 180.0) degrees -= 360.0;
  if (degrees <= -180.0) degrees += 360.0;
  return degrees;
}

double Year(double jd) { return 2000.0 + (jd - ERFA_DJ00) / 365.25; }

// Longitude in the ecliptic of date of a direction given in the GCRS: the frame bias,
// precession and nutation (IAU 2000B) bring it to the true equator and equinox of date, the
// true obliquity to the ecliptic.
double EclipticLongitudeOfDate(double jd1, double jd2, const double gcrs[3]) {
  double direction[3] = {gcrs[0], gcrs[1], gcrs[2]};
  double dpsi, deps, epsa, rb[3][3], rp[3][3], rbp[3][3], rn[3][3], rbpn[3][3];
  eraPn00b(jd1, jd2, &dpsi, &deps, &epsa, rb, rp, rbp, rn, rbpn);
  double ofDate[3];
  eraRxp(rbpn, direction, ofDate);
  const double eps = epsa + deps;
  const double y = ofDate[1] * std::cos(eps) + ofDate[2] * std::sin(eps);
  double lambda = std::atan2(y, ofDate[0]) * ERFA_DR2D;
  if (lambda < 0) lambda += 360.0;
  return lambda;
}

// TT Julian date to UTC seconds since 1970 (UT1 taken for UTC: they differ by under a second).
int64_t ToUnix(double jd) {
  const double ut = jd - DeltaT(Year(jd)) / ERFA_DAYSEC;
  return std::llround((ut - kUnixEpochJd) * ERFA_DAYSEC);
}

double FromUnix(int64_t utc) {
  const double ut = kUnixEpochJd + static_cast<double>(utc) / ERFA_DAYSEC;
  return ut + DeltaT(Year(ut)) / ERFA_DAYSEC;
}

// Root of f near guess by the secant method; f changes by about rate per day there.
template <class F>
double Root(F f, double guess, double rate) {
  double t0 = guess;
  double f0 = f(t0);
  double t1 = t0 - f0 / rate;
  for (int i = 0; i < 50; ++i) {
    const double f1 = f(t1);
    if (f1 == f0) break;
    const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
    t0 = t1;
    f0 = f1;
    t1 = t2;
    if (std::fabs(t1 - t0) < kTolerance) break;
  }
  return t1;
}

}  // namespace

namespace {

// Espenak and Meeus's polynomial fits (NASA, "Polynomial expressions for Delta T", 2006).
double EspenakMeeus(double y) {
  if (y < 1900) {
    const double t = y - 1860;
    return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
           0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174;
  }
  if (y < 1920) {
    const double t = y - 1900;
    return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
           0.000197 * std::pow(t, 4);
  }
  if (y < 1941) {
    const double t = y - 1920;
    return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
  }
  if (y < 1961) {
    const double t = y - 1950;
    return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
  }
  if (y < 1986) {
    const double t = y - 1975;
    return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
  }
  if (y < 2005) {
    const double t = y - 2000;
    return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
           0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
  }
  if (y < 2050) {
    const double t = y - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
  }
  const double u = (y - 1820) / 100;
  return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

// Delta T observed on 1 January of 2005 ... 2025 (IERS, as the US Naval Observatory publishes
// it). The fits' 2005-2050 piece was a forecast that the Earth's rotation has not followed:
// it is 6 s too large by 2026, enough to move a solar term of that year into the next minute.
constexpr double kObservedFrom = 2005;
constexpr double kObserved[] = {64.69, 64.85, 65.15, 65.46, 65.78, 66.07, 66.32,
                                66.60, 66.91, 67.28, 67.64, 68.10, 68.59, 68.97,
                                69.22, 69.36, 69.36, 69.29, 69.20, 69.18, 69.14};
constexpr int kObservedCount = sizeof kObserved / sizeof kObserved[0];
constexpr double kFitsResume = 2050;

}  // namespace

// Before 2005 and from 2050 on, Espenak and Meeus's fits; in between the observed values, and
// after the last of them a parabola that leaves it level (as Delta T has been for years) and
// meets the fits in 2050.
double DeltaT(double y) {
  const double lastObserved = kObservedFrom + kObservedCount - 1;
  if (y < kObservedFrom || y >= kFitsResume) return EspenakMeeus(y);
  if (y < lastObserved) {
    const int i = static_cast<int>(y - kObservedFrom);
    const double f = y - kObservedFrom - i;
    return kObserved[i] + f * (kObserved[i + 1] - kObserved[i]);
  }
  const double last = kObserved[kObservedCount - 1];
  const double s = (y - lastObserved) / (kFitsResume - lastObserved);
  return last + (EspenakMeeus(kFitsResume) - last) * s * s;
}

double SunLongitude(double jd1, double jd2) {
  // Heliocentric and barycentric Earth; the Sun is seen from the Earth in the direction
  // opposite to the heliocentric Earth (the Sun's own motion during the 8 minutes of light
  // time is a few kilometres), displaced by the aberration of the Earth's barycentric motion.
  double pvh[2][3], pvb[2][3];
  eraEpv00(jd1, jd2, pvh, pvb);
  double toSun[3], direction[3], distance;
  eraSxp(-1.0, pvh[0], toSun);
  eraPn(toSun, &distance, direction);
  double v[3];
  eraSxp(ERFA_AULT / ERFA_DAYSEC, pvb[1], v);
  const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
  double apparent[3];
  eraAb(direction, v, distance, bm1, apparent);
  return EclipticLongitudeOfDate(jd1, jd2, apparent);
}

double MoonLongitude(double jd1, double jd2) {
  // Geocentric Moon in the GCRS; the light left it about 1.3 s before.
  double pv[2][3];
  eraMoon98(jd1, jd2, pv);
  const double lightTime = eraPm(pv[0]) * ERFA_AULT / ERFA_DAYSEC;
  double seen[3];
  eraPpsp(pv[0], -lightTime, pv[1], seen);
  return EclipticLongitudeOfDate(jd1, jd2, seen);
}

std::vector<int64_t> NewMoons(int64_t fromUtc, int64_t toUtc) {
  std::vector<int64_t> moons;
  const double from = FromUnix(fromUtc), to = FromUnix(toUtc);
  const long first = std::lround(std::floor((from - kNewMoon2000) / kSynodicMonth)) - 1;
  const long last = std::lround(std::ceil((to - kNewMoon2000) / kSynodicMonth)) + 1;
  for (long k = first; k <= last; ++k) {
    const double guess = kNewMoon2000 + k * kSynodicMonth;
    const double jd = Root(
        [](double t) { return Wrap180(MoonLongitude(ERFA_DJ00, t - ERFA_DJ00) -
                                      SunLongitude(ERFA_DJ00, t - ERFA_DJ00)); },
        guess, 360.0 / kSynodicMonth);
    const int64_t utc = ToUnix(jd);
    if (utc >= fromUtc && utc <= toUtc) moons.push_back(utc);
  }
  return moons;
}

std::vector<SunEvent> SunEvents(const std::vector<int>& degrees, int64_t fromUtc, int64_t toUtc) {
  std::vector<SunEvent> events;
  const double from = FromUnix(fromUtc), to = FromUnix(toUtc);
  // The March equinox of 2000 (TT, approximate) and mean years from it.
  constexpr double kEquinox2000 = 2451623.82;
  const long firstYear = std::lround(std::floor((from - kEquinox2000) / kTropicalYear)) - 1;
  const long lastYear = std::lround(std::ceil((to - kEquinox2000) / kTropicalYear)) + 1;
  for (long year = firstYear; year <= lastYear; ++year) {
    for (int degree : degrees) {
      const double guess = kEquinox2000 + (year + degree / 360.0) * kTropicalYear;
      const double jd = Root(
          [degree](double t) { return Wrap180(SunLongitude(ERFA_DJ00, t - ERFA_DJ00) - degree); },
          guess, 360.0 / kTropicalYear);
      const int64_t utc = ToUnix(jd);
      if (utc >= fromUtc && utc <= toUtc) events.push_back({utc, degree});
    }
  }
  std::sort(events.begin(), events.end(),
            [](const SunEvent& a, const SunEvent& b) { return a.utc < b.utc; });
  return events;
}

}  // namespace sky
