#pragma once
// A time of the acquired data: a signed 128-bit count of femtoseconds; "0 s" is the trigger.

#include "CvxInt128.h"

#include <compare>

class CvxTime {
public:
    static constexpr CvxInt128 kFs = 1;
    static constexpr CvxInt128 kPs = 1000;
    static constexpr CvxInt128 kNs = 1000 * kPs;
    static constexpr CvxInt128 kUs = 1000 * kNs;
    static constexpr CvxInt128 kMs = 1000 * kUs;
    static constexpr CvxInt128 kS = 1000 * kMs;

    constexpr CvxTime() = default;
    constexpr explicit CvxTime(CvxInt128 femtoseconds) : m_fs(femtoseconds) {}

    static constexpr CvxTime FromFs(CvxInt128 v) { return CvxTime(v); }
    static constexpr CvxTime FromPs(CvxInt128 v) { return CvxTime(v * kPs); }
    static constexpr CvxTime FromNs(CvxInt128 v) { return CvxTime(v * kNs); }
    static constexpr CvxTime FromUs(CvxInt128 v) { return CvxTime(v * kUs); }
    static constexpr CvxTime FromMs(CvxInt128 v) { return CvxTime(v * kMs); }
    static constexpr CvxTime FromS(CvxInt128 v) { return CvxTime(v * kS); }
    static constexpr CvxTime Min() { return CvxTime(kCvxInt128Min); }
    static constexpr CvxTime Max() { return CvxTime(kCvxInt128Max); }

    constexpr CvxInt128 AsInt128() const { return m_fs; }
    constexpr CvxInt128 AsFs() const { return m_fs; }
    double AsSeconds() const { return static_cast<double>(m_fs) / static_cast<double>(kS); }

    constexpr CvxTime operator+(CvxTime o) const { return CvxTime(m_fs + o.m_fs); }
    constexpr CvxTime operator-(CvxTime o) const { return CvxTime(m_fs - o.m_fs); }
    constexpr CvxTime operator-() const { return CvxTime(-m_fs); }
    constexpr CvxTime operator*(CvxInt128 k) const { return CvxTime(m_fs * k); }
    constexpr CvxTime& operator+=(CvxTime o) { m_fs += o.m_fs; return *this; }
    constexpr CvxTime& operator-=(CvxTime o) { m_fs -= o.m_fs; return *this; }

    friend constexpr bool operator==(CvxTime, CvxTime) = default;
    friend constexpr std::strong_ordering operator<=>(CvxTime a, CvxTime b) { return a.m_fs <=> b.m_fs; }

private:
    CvxInt128 m_fs = 0;
};
