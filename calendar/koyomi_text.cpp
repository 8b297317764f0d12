#include "calendar/koyomi_text.h"

#include <cstdio>

#include "docs/xml_node.h"

namespace {

const std::string& NameAt(const std::vector<std::string>& list, int index) {
  static const std::string kNone;
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return kNone;
  return list[index];
}

bool CutList(const std::string& text, size_t count, std::vector<std::string>& out) {
  out = SplitString(text, ';');
  if (out.size() == count) return true;
  out.clear();
  return false;
}

}  // namespace

bool KoyomiNames::SetLists(const std::string& rokuyoList, const std::string& sekkiList,
                           const std::string& zassetsuList) {
  const bool ok = CutList(rokuyoList, kRokuyoCount, rokuyo) &&
                  CutList(sekkiList, kSekkiCount, sekki) &&
                  CutList(zassetsuList, kZassetsuCount, zassetsu);
  if (!ok) {
    rokuyo.clear();
    sekki.clear();
    zassetsu.clear();
  }
  return ok;
}

std::string KoyomiDayNames(const KoyomiDay& day, const KoyomiNames& names) {
  std::string joined;
  auto add = [&](const std::string& name) {
    if (name.empty()) return;
    if (!joined.empty()) joined += names.separator;
    joined += name;
  };
  if (!day.valid) return joined;
  if (day.sekki >= 0) add(NameAt(names.sekki, day.sekki));
  for (int i = 0; i < kZassetsuCount; ++i) {
    if (day.zassetsu & (1u << i)) add(NameAt(names.zassetsu, i));
  }
  return joined;
}

std::string KoyomiTipLine(const KoyomiDay& day, const KoyomiNames& names, bool withNames) {
  if (!day.valid) return std::string();
  char date[128];
  const int n = std::snprintf(date, sizeof date, names.datePicture.c_str(),
                              day.leap ? names.leapWord.c_str() : "", day.month, day.day);
  std::string line = n > 0 ? std::string(date, std::min<size_t>(n, sizeof date - 1)) : "";
  const std::string& rokuyo = NameAt(names.rokuyo, day.rokuyo);
  if (!rokuyo.empty()) line += " " + rokuyo;
  if (withNames) {
    const std::string dayNames = KoyomiDayNames(day, names);
    if (!dayNames.empty()) line += " " + dayNames;
  }
  return line;
}

std::string KoyomiCellText(const KoyomiDay& day, const KoyomiNames& names, bool withNames) {
  if (!day.valid) return std::string();
  if (withNames && day.sekki >= 0) return NameAt(names.sekki, day.sekki);
  return NameAt(names.rokuyo, day.rokuyo);
}
