#include "tools/wardcli/summary_format.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "tools/wardcli/id_text.h"

namespace wd::cli {
namespace {

std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

// A figure as text, or `none` when absent.
std::string Figure(const std::optional<Tenths>& value, std::string_view none) {
  return value ? value->Text() : std::string(none);
}
std::string Figure(const std::optional<int>& value, std::string_view none) {
  return value ? std::to_string(*value) : std::string(none);
}
std::string Figure(const std::optional<std::size_t>& value, std::string_view none) {
  return value ? std::to_string(*value) : std::string(none);
}

std::string JsonTime(const std::optional<Minute>& minute) {
  return minute ? JsonString(FormatMinute(*minute)) : "null";
}

// "key":value pairs of one object.
class JsonObject {
 public:
  JsonObject& Raw(std::string_view key, const std::string& value) {
    text_ += text_.size() > 1 ? "," : "";
    text_ += JsonString(key) + ":" + value;
    return *this;
  }
  template <typename Value>
  JsonObject& Number(std::string_view key, const Value& value) {
    return Raw(key, Figure(value, "null"));
  }
  JsonObject& Count(std::string_view key, std::size_t value) {
    return Raw(key, std::to_string(value));
  }
  std::string Close() const { return text_ + "}"; }

 private:
  std::string text_ = "{";
};

std::string JsonRange(JsonObject object, const ValueRange& range) {
  return object.Number("mean", range.mean)
      .Number("min", range.min)
      .Number("max", range.max)
      .Close();
}

std::string JsonSpo2(const Spo2Figures& s) {
  std::string episodes = "[";
  for (const Episode& episode : s.episodesBelow90) {
    episodes += episodes.size() > 1 ? "," : "";
    episodes += JsonObject()
                    .Raw("start", JsonString(FormatMinute(episode.start)))
                    .Count("minutes", episode.minutes)
                    .Raw("lowest", std::to_string(episode.lowest))
                    .Close();
  }
  return JsonObject()
      .Count("valid", s.valid)
      .Number("mean", s.range.mean)
      .Number("median", s.median)
      .Number("min", s.range.min)
      .Raw("min_at", JsonTime(s.minAt))
      .Number("max", s.range.max)
      .Number("t90_minutes", s.t90Minutes)
      .Number("t90_percent", s.t90Percent)
      .Number("t88_minutes", s.t88Minutes)
      .Number("t88_percent", s.t88Percent)
      .Number("events3", s.events3)
      .Number("odi3", s.odi3)
      .Number("events4", s.events4)
      .Number("odi4", s.odi4)
      .Raw("episodes_below_90", episodes + "]")
      .Close();
}

// The words of the text in one language; values follow their word in both.
struct SummaryWords {
  std::string_view patient, recording, minutes, spo2Valid, spo2, spo2LowestAt, below90, below88;
  std::string_view desaturations3, desaturations4, episodes, pulse, nibpReadings, systolic;
  std::string_view diastolic, temperature, respiration;
  std::string_view to, leftOut, valid, mean, median, highest, lowest, min, comma, open, close;
};

constexpr SummaryWords kEnglish{"Patient",
                                "Recording",
                                "Minutes",
                                "SpO2 valid minutes",
                                "SpO2 %",
                                "SpO2 lowest at",
                                "Below 90 %",
                                "Below 88 %",
                                "Desaturations by 3 %",
                                "Desaturations by 4 %",
                                "Episodes below 90 %",
                                "Pulse rate /min",
                                "NIBP readings",
                                "Systolic mmHg",
                                "Diastolic mmHg",
                                "Temperature \u00b0C",
                                "Respiration /min",
                                " to ",
                                " record(s) left out",
                                "valid ",
                                "mean ",
                                "median ",
                                "highest ",
                                "lowest ",
                                " min",
                                ", ",
                                " (",
                                ")"};

constexpr SummaryWords kChinese{"身份证号",
                                "记录时间",
                                "分钟数",
                                "血氧有效分钟",
                                "血氧 %",
                                "血氧最低时间",
                                "低于 90 %",
                                "低于 88 %",
                                "血氧下降 3 %",
                                "血氧下降 4 %",
                                "低于 90 % 的时段",
                                "脉率 /min",
                                "血压测量次数",
                                "收缩压 mmHg",
                                "舒张压 mmHg",
                                "体温 \u00b0C",
                                "呼吸 /min",
                                " 至 ",
                                " 条记录未计入",
                                "有效 ",
                                "平均 ",
                                "中位数 ",
                                "最高 ",
                                "最低 ",
                                " 分钟",
                                "，",
                                "（",
                                "）"};

// Columns a text takes on a terminal: the Chinese characters (three bytes in UTF-8) take two,
// ASCII and the degree sign (two bytes) one.
std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 || (byte >= 0xC0 && byte < 0xE0)) {
      ++width;
    } else if (byte >= 0xE0) {
      width += 2;
    }
  }
  return width;
}

class TextWriter {
 public:
  explicit TextWriter(const SummaryWords& words) : w_(words) {}

  void Line(std::string_view label, const std::string& value) {
    constexpr std::size_t kLabelColumns = 22;
    text_ += label;
    text_.append(kLabelColumns - std::min(kLabelColumns - 1, DisplayWidth(label)), ' ');
    text_ += value + "\n";
  }
  std::string Time(const std::optional<Minute>& minute) const {
    return minute ? FormatMinute(*minute) : "-";
  }
  std::string Range(const ValueRange& range) const {
    if (!range.mean) return "-";
    return std::string(w_.mean) + range.mean->Text() + std::string(w_.comma) +
           std::to_string(*range.min) + std::string(w_.to) + std::to_string(*range.max);
  }
  std::string Counted(std::size_t valid, const std::string& rest) const {
    return std::string(w_.valid) + std::to_string(valid) + std::string(w_.comma) + rest;
  }
  std::string Below(const std::optional<std::size_t>& minutes,
                    const std::optional<Tenths>& percent) const {
    return Figure(minutes, "-") + std::string(w_.min) + std::string(w_.open) +
           Figure(percent, "-") + " %" + std::string(w_.close);
  }
  std::string Events(const std::optional<std::size_t>& events,
                     const std::optional<Tenths>& perHour) const {
    return Figure(events, "-") + std::string(w_.open) + "ODI " + Figure(perHour, "-") +
           std::string(w_.close);
  }
  const SummaryWords& words() const { return w_; }
  const std::string& text() const { return text_; }

 private:
  const SummaryWords& w_;
  std::string text_;
};

}  // namespace

std::string SummaryJson(const PatientId& id, const PatientSummary& summary) {
  const NibpFigures& nibp = summary.nibp;
  return JsonObject()
             .Raw("id", JsonString(IdText(id)))
             .Count("minutes", summary.minutes)
             .Count("excluded", summary.excluded)
             .Raw("first", JsonTime(summary.first))
             .Raw("last", JsonTime(summary.last))
             .Raw("spo2", JsonSpo2(summary.spo2))
             .Raw("pulse",
                  JsonRange(JsonObject().Count("valid", summary.pulse.valid), summary.pulse.range))
             .Raw("nibp", JsonObject()
                              .Count("valid", nibp.valid)
                              .Raw("systolic", JsonRange(JsonObject(), nibp.systolic))
                              .Raw("diastolic", JsonRange(JsonObject(), nibp.diastolic))
                              .Close())
             .Raw("temperature", JsonObject()
                                     .Count("valid", summary.temperature.valid)
                                     .Number("mean", summary.temperature.mean)
                                     .Number("max", summary.temperature.max)
                                     .Close())
             .Raw("respiration", JsonRange(JsonObject().Count("valid", summary.respiration.valid),
                                           summary.respiration.range))
             .Close() +
         "\n";
}

std::string SummaryText(const PatientId& id, const PatientSummary& summary,
                        MessageLanguage language) {
  TextWriter out(language == MessageLanguage::Chinese ? kChinese : kEnglish);
  const SummaryWords& w = out.words();
  const Spo2Figures& s = summary.spo2;
  const std::string comma(w.comma);
  out.Line(w.patient, IdText(id));
  out.Line(w.recording, out.Time(summary.first) + std::string(w.to) + out.Time(summary.last));
  out.Line(w.minutes, std::to_string(summary.minutes) + std::string(w.open) +
                          std::to_string(summary.excluded) + std::string(w.leftOut) +
                          std::string(w.close));
  out.Line(w.spo2Valid, std::to_string(s.valid));
  out.Line(w.spo2, out.Range(s.range) + (s.median ? comma + std::string(w.median) + s.median->Text()
                                                  : std::string()));
  out.Line(w.spo2LowestAt, out.Time(s.minAt));
  out.Line(w.below90, out.Below(s.t90Minutes, s.t90Percent));
  out.Line(w.below88, out.Below(s.t88Minutes, s.t88Percent));
  out.Line(w.desaturations3, out.Events(s.events3, s.odi3));
  out.Line(w.desaturations4, out.Events(s.events4, s.odi4));
  out.Line(w.episodes, std::to_string(s.episodesBelow90.size()));
  for (const Episode& episode : s.episodesBelow90) {
    out.Line("", FormatMinute(episode.start) + comma + std::to_string(episode.minutes) +
                     std::string(w.min) + comma + std::string(w.lowest) +
                     std::to_string(episode.lowest) + " %");
  }
  out.Line(w.pulse, out.Counted(summary.pulse.valid, out.Range(summary.pulse.range)));
  out.Line(w.nibpReadings, std::to_string(summary.nibp.valid));
  out.Line(w.systolic, out.Range(summary.nibp.systolic));
  out.Line(w.diastolic, out.Range(summary.nibp.diastolic));
  out.Line(w.temperature,
           out.Counted(summary.temperature.valid,
                       std::string(w.mean) + Figure(summary.temperature.mean, "-") + comma +
                           std::string(w.highest) + Figure(summary.temperature.max, "-")));
  out.Line(w.respiration,
           out.Counted(summary.respiration.valid, out.Range(summary.respiration.range)));
  return out.text();
}

}  // namespace wd::cli
