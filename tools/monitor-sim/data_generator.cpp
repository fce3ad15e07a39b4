#include "tools/monitor-sim/data_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace wd::sim {
namespace {

// splitmix64: small, fast and the same on every platform, unlike rand().
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Between(int low, int high) {  // inclusive
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  double Step() { return Unit() * 2.0 - 1.0; }

 private:
  std::uint64_t state_;
};

// A value that wanders slowly around a baseline and stays within its limits.
class Drift {
 public:
  Drift(double baseline, double low, double high, double step)
      : baseline_(baseline), value_(baseline), low_(low), high_(high), step_(step) {}
  double Next(Random& random) {
    value_ += step_ * random.Step() + 0.02 * (baseline_ - value_);
    value_ = std::clamp(value_, low_, high_);
    return value_;
  }

 private:
  double baseline_, value_, low_, high_, step_;
};

struct Vitals {
  Drift spo2, pulse, systolic, diastolic, temperature, pi, respiration, etco2, fico2;

  explicit Vitals(Random& random)
      : spo2(random.Between(94, 99), 92, 100, 0.6),
        pulse(random.Between(62, 92), 55, 110, 1.5),
        systolic(random.Between(108, 138), 90, 170, 1.8),
        diastolic(random.Between(68, 88), 50, 105, 1.2),
        temperature(random.Between(362, 372), 360, 385, 0.8),
        pi(random.Between(20, 60), 5, 100, 1.5),
        respiration(random.Between(14, 20), 12, 24, 0.5),
        etco2(random.Between(34, 41), 30, 45, 0.5),
        fico2(1, 0, 3, 0.3) {}

  void Fill(VitalRecord& r, Random& random) {
    auto u8 = [](double v) { return static_cast<std::uint8_t>(std::lround(v)); };
    auto u16 = [](double v) { return static_cast<std::uint16_t>(std::lround(v)); };
    r.spo2 = u8(spo2.Next(random));
    r.pulse = u8(pulse.Next(random));
    r.systolic = u16(systolic.Next(random));
    r.diastolic = u16(std::min(diastolic.Next(random), r.systolic - 25.0));
    r.mean = static_cast<std::uint16_t>((r.systolic + 2 * r.diastolic) / 3);
    r.temperature = u16(temperature.Next(random));
    r.pi = u8(pi.Next(random));
    r.respiration = u8(respiration.Next(random));
    r.etco2 = u8(etco2.Next(random));
    r.fico2 = u8(fico2.Next(random));
  }
};

// Minutes since 2000-01-01 00:00 in a simple calendar, so sessions can cross midnight and
// month ends correctly.
struct Moment {
  int year, month, day, hour, minute;

  static int DaysIn(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
  }
  void AddMinutes(int minutes) {
    minute += minutes;
    hour += minute / 60;
    minute %= 60;
    day += hour / 24;
    hour %= 24;
    while (day > DaysIn(year, month)) {
      day -= DaysIn(year, month);
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  void Stamp(VitalRecord& r, RecordKind kind) const {
    r.kind = static_cast<std::uint8_t>(kind);
    r.year = static_cast<std::uint8_t>(year - 2000);
    r.month = static_cast<std::uint8_t>(month);
    r.day = static_cast<std::uint8_t>(day);
    r.hour = static_cast<std::uint8_t>(hour);
    r.minute = static_cast<std::uint8_t>(minute);
  }
};

constexpr std::array<int, 8> kRegions{110101, 310104, 440305, 510107,
                                      330106, 420102, 320102, 370202};

PatientId RandomPerson(Random& random, int sequence) {
  return MakeIdentityNumber(kRegions[random.Next() % kRegions.size()], random.Between(1938, 2004),
                            random.Between(1, 12), random.Between(1, 28), sequence);
}

}  // namespace

PatientId MakeIdentityNumber(int region, int year, int month, int day, int sequence) {
  auto digits = [](int value, unsigned modulus) { return static_cast<unsigned>(value) % modulus; };
  char text[19];
  std::snprintf(text, sizeof text, "%06u%04u%02u%02u%03u", digits(region, 1000000),
                digits(year, 10000), digits(month, 100), digits(day, 100), digits(sequence, 1000));
  static constexpr std::array<int, 17> kWeights{7, 9, 10, 5,  8, 4, 2, 1, 6,
                                                3, 7, 9,  10, 5, 8, 4, 2};
  int sum = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) sum += (text[i] - '0') * kWeights[i];
  text[17] = "10X98765432"[sum % 11];
  return PatientId::FromText(std::string_view(text, 18));
}

DataSet GenerateDataSet(const GeneratorOptions& options) {
  Random random(options.seed);
  DataSet data;
  std::vector<Moment> firstMinute;
  for (int p = 0; p < options.patients; ++p) {
    MonitoringPatient patient{RandomPerson(random, 100 + p), {}};
    Vitals vitals(random);
    Moment at{2024, random.Between(1, 12), random.Between(1, 20), random.Between(0, 23),
              random.Between(0, 59)};
    firstMinute.push_back(at);
    int left = options.minutes;
    while (left > 0) {
      const int session = std::min(left, random.Between(60, 480));
      for (int m = 0; m < session; ++m) {
        VitalRecord record{};
        at.Stamp(record, RecordKind::Monitoring);
        vitals.Fill(record, random);
        patient.records.push_back(record);
        at.AddMinutes(1);
      }
      left -= session;
      at.AddMinutes(random.Between(90, 900));  // off the monitor between sessions
    }
    data.monitoring.push_back(std::move(patient));
  }

  // Ward rounds at 08:00, 14:00 and 20:00 (give or take a few minutes), among the monitored
  // people and one person seen on rounds only.
  const PatientId roundsOnly = RandomPerson(random, 900);
  const int people = options.patients + 1;
  Moment round{2024, random.Between(1, 12), random.Between(1, 20), 8, 0};
  for (int i = 0; i < options.wardRound; ++i) {
    const int who = i % people;
    if (who == 0 && i > 0) round.AddMinutes(6 * 60);
    Moment at = round;
    at.AddMinutes(who * 7 + random.Between(0, 5));
    WardRoundEntry entry{who < options.patients ? data.monitoring[who].id : roundsOnly, {}};
    at.Stamp(entry.record, RecordKind::WardRound);
    Random vitalsRandom(options.seed ^ (0xA5A5ull * static_cast<std::uint64_t>(i + 1)));
    Vitals(vitalsRandom).Fill(entry.record, vitalsRandom);
    data.wardRound.push_back(entry);
  }
  // One spot check in the same minute as a monitoring record of that person: the record
  // model keeps only the first of the two.
  if (options.patients > 0 && options.minutes > 0 && !data.wardRound.empty()) {
    firstMinute[0].Stamp(data.wardRound.front().record, RecordKind::WardRound);
  }
  return data;
}

}  // namespace wd::sim
