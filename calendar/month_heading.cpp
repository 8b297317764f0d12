#include "calendar/month_heading.h"

#include <utility>

#include "docs/platform.h"

namespace {

// Shift_JIS: the separator of two eras in one heading.
const char* const kEraSeparator = "\x81\x45";  // ・

enum TokenKind { TOKEN_TEXT, TOKEN_ERA_NAME, TOKEN_ERA_YEAR, TOKEN_YEAR };

// A run of one code letter, or a stretch of picture the system formats (text, quotes, month
// and day codes).
struct Token {
  TokenKind kind;
  size_t count;
  std::string text;
};

bool IsEraToken(const Token& token) { return token.kind == TOKEN_ERA_NAME || token.kind == TOKEN_ERA_YEAR; }

// Cuts a picture into runs of the letters g, e and y outside quotes and the text between.
// Double-byte characters are stepped over whole: their second byte may be any of the letters.
std::vector<Token> Tokenize(const std::string& picture) {
  std::vector<Token> tokens;
  std::string text;
  bool quoted = false;
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < picture.size()) {
      text.append(picture, i, 2);
      i += 2;
      continue;
    }
    if (c == '\'') quoted = !quoted;
    if (quoted || (c != 'g' && c != 'e' && c != 'y')) {
      text += c;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (!text.empty()) tokens.push_back({TOKEN_TEXT, 0, std::move(text)});
    text.clear();
    const TokenKind kind = c == 'g' ? TOKEN_ERA_NAME : c == 'e' ? TOKEN_ERA_YEAR : TOKEN_YEAR;
    tokens.push_back({kind, run, std::string()});
    i += run;
  }
  if (!text.empty()) tokens.push_back({TOKEN_TEXT, 0, std::move(text)});
  return tokens;
}

// Before the first era the year in the era is the Western year.
std::string EraYear(const Era* era, int32_t year, size_t letters, bool gannen) {
  if (!era) return std::to_string(year);
  return era->YearText(year, letters >= 2, gannen);
}

// What the heading is made of: text written as it is, pieces of picture the system formats,
// and year codes it formats in the Gregorian calendar.
class HeadingParts {
 public:
  void Write(const std::string& text) { Add(PART_TEXT, text); }
  void Format(const std::string& picture) { Add(PART_PICTURE, picture); }
  void FormatYear(const std::string& codes) { Add(PART_WESTERN_YEAR, codes); }

  bool Join(const SystemFormat& formatSystem, std::string& heading) const {
    for (const Part& part : parts_) {
      if (part.kind == PART_TEXT) {
        heading += part.text;
        continue;
      }
      std::string text;
      if (!formatSystem(part.text, part.kind == PART_WESTERN_YEAR, text)) return false;
      heading += text;
    }
    return true;
  }

 private:
  enum PartKind { PART_TEXT, PART_PICTURE, PART_WESTERN_YEAR };
  struct Part {
    PartKind kind;
    std::string text;
  };

  void Add(PartKind kind, const std::string& text) {
    if (text.empty()) return;
    if (parts_.empty() || parts_.back().kind != kind) parts_.push_back({kind, std::string()});
    parts_.back().text += text;
  }

  std::vector<Part> parts_;
};

void Render(const Token& token, const Era* era, int32_t year, bool gannen, HeadingParts& parts) {
  switch (token.kind) {
    case TOKEN_ERA_NAME:
      if (era) parts.Write(era->name);
      return;
    case TOKEN_ERA_YEAR:
      parts.Write(EraYear(era, year, token.count, gannen));
      return;
    case TOKEN_YEAR:
      parts.FormatYear(std::string(token.count, 'y'));
      return;
    case TOKEN_TEXT:
      parts.Format(token.text);
      return;
  }
}

// The longest start of text that is whole characters and at most limit bytes.
std::string CutAtCharacter(const std::string& text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = 0;
  while (end < text.size()) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return text.substr(0, end);
}

}  // namespace

bool HasEraCodes(const std::string& picture) {
  for (const Token& token : Tokenize(picture)) {
    if (IsEraToken(token)) return true;
  }
  return false;
}

std::string FormatEraPicture(const std::string& picture, int32_t year, int32_t month,
                             const EraTable& eras, bool gannen, const SystemFormat& formatSystem) {
  std::vector<Token> tokens = Tokenize(picture);
  size_t first = tokens.size(), last = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (!IsEraToken(tokens[i])) continue;
    if (first == tokens.size()) first = i;
    last = i;
  }
  if (first == tokens.size()) return std::string();
  // The 年 after the era year belongs to each era's part: 昭和64年・平成元年.
  const size_t mark = std::char_traits<char>::length(kYearMark);
  if (last + 1 < tokens.size() && tokens[last + 1].kind == TOKEN_TEXT &&
      tokens[last + 1].text.compare(0, mark, kYearMark) == 0) {
    Token rest = {TOKEN_TEXT, 0, tokens[last + 1].text.substr(mark)};
    tokens[last + 1].text = kYearMark;
    ++last;
    if (!rest.text.empty()) tokens.insert(tokens.begin() + static_cast<ptrdiff_t>(last) + 1, rest);
  }

  std::vector<const Era*> monthEras = eras.ErasOfMonth(year, month);
  if (monthEras.empty()) monthEras.push_back(nullptr);
  HeadingParts parts;
  for (size_t i = 0; i < first; ++i) Render(tokens[i], nullptr, year, gannen, parts);
  for (size_t e = 0; e < monthEras.size(); ++e) {
    if (e > 0) parts.Write(kEraSeparator);
    for (size_t i = first; i <= last; ++i) Render(tokens[i], monthEras[e], year, gannen, parts);
  }
  for (size_t i = last + 1; i < tokens.size(); ++i) Render(tokens[i], nullptr, year, gannen, parts);

  std::string heading;
  if (!parts.Join(formatSystem, heading)) return std::string();
  return CutAtCharacter(heading, kMaxHeadingBytes);
}

std::vector<YearMonth> HeadingMonthsToMeasure(const std::string& picture, const EraTable& eras,
                                              int32_t shownYear, int32_t shownMonth) {
  std::vector<YearMonth> months = {{shownYear, shownMonth}};
  if (!HasEraCodes(picture)) return months;
  for (const YearMonth& change : eras.EraChangeMonths()) months.push_back(change);
  return months;
}
