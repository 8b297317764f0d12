#include "docs/memo_store.h"

#include <climits>
#include <ctime>
#include <memory>
#include <stdexcept>

#include "docs/data_folder.h"
#include "docs/file_save.h"
#include "docs/platform.h"

namespace {

// Numbers from a damaged file can be anything; arithmetic on them is done wide and brought
// back into range rather than overflowing.
int Clamp(int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// Replaces every from by to, stepping over double-byte characters whole so that their second
// byte is never taken for the start of from.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, from.size(), from) == 0) {
      result += to;
      i += from.size();
      continue;
    }
    size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    result.append(text, i, step);
    i += step;
  }
  return result;
}

int IntAttribute(const XMLElement* element, const char* name) {
  int value = 0;
  element->QueryIntAttribute(name, &value);
  return value;
}

int64_t ElementKey(const XMLElement* element) {
  return NoteKey(IntAttribute(element, "year"), IntAttribute(element, "month"), IntAttribute(element, "date"));
}

XMLElement* FirstNote(XMLElement* root) { return root ? root->FirstChildElement("DateNote") : nullptr; }

XMLElement* NextNote(XMLElement* note) { return note->NextSiblingElement("DateNote"); }

void DeleteChildrenNamed(XMLElement* element, const char* name) {
  while (XMLElement* child = element->FirstChildElement(name)) element->DeleteChild(child);
}

void InsertBefore(XMLElement* parent, XMLElement* next, XMLElement* element) {
  tinyxml2::XMLNode* previous = next->PreviousSibling();
  if (previous) {
    parent->InsertAfterChild(previous, element);
  } else {
    parent->InsertFirstChild(element);
  }
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

void CheckDueDate(const DateNote& today) {
  bool valid = today.year >= 1970 && today.year <= 9999 && today.month >= 1 && today.month <= 12 &&
               today.date >= 1 && today.date <= DaysInMonth(today.year, today.month);
  if (!valid) throw std::invalid_argument("LoadDueSchedules needs a valid date from 1970 on");
}

int64_t TomorrowKey(const DateNote& today) {
  int year = today.year, month = today.month, date = today.date + 1;
  if (date > DaysInMonth(year, month)) {
    date = 1;
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  return NoteKey(year, month, date);
}

// A file name beside path that no file has yet: path + ".broken-" + local date and time.
std::string BrokenFileName(const std::string& path) {
  std::time_t now = std::time(nullptr);
  char stamp[32] = "unknown";
  if (const std::tm* local = std::localtime(&now)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
  std::string name = path + ".broken-" + stamp;
  for (int n = 2; FileExists(name); ++n) name = path + ".broken-" + stamp + "-" + std::to_string(n);
  return name;
}

}  // namespace

std::string EscapeMessage(const std::string& text) {
  std::string result = ReplaceAll(text, "\\", "\\yen;");
  result = ReplaceAll(result, "\r\n", "\\crlf;");
  return ReplaceAll(result, "\t", "\\tab;");
}

std::string UnescapeMessage(const std::string& text) {
  std::string result = ReplaceAll(text, "\\tab;", "\t");
  result = ReplaceAll(result, "\\crlf;", "\r\n");
  return ReplaceAll(result, "\\yen;", "\\");
}

int TimeFromFile(int hhmm) { return Clamp(int64_t{hhmm} - 40 * (int64_t{hhmm} / 100)); }

int TimeToFile(int minutes) { return Clamp(int64_t{minutes} / 60 * 100 + minutes % 60); }

int64_t NoteKey(int year, int month, int date) {
  return int64_t{year} * 10000 + int64_t{month} * 100 + date;
}

std::string MemoFilePath(const std::string& prefix, int year) {
  return DataFolder + prefix + std::to_string(year) + ".xml";
}

// ---- DateSchedule ----

int DateSchedule::Load(XMLElement* element) {
  if (!element) return 0;
  if (XMLElement* message = FirstChild(element, "Message")) {
    const char* text = ElementText(message);
    Message = UnescapeMessage(text ? text : "");
  }
  time = TimeFromFile(GetChildInt(element, "Time", 0));
  Notice = GetChildInt(element, "Notice", 0);
  notifyAt = Clamp(int64_t{time} - Notice);
  return 0;
}

int DateSchedule::LoadForDay(XMLElement* element, int nextDay) {
  Notice = GetChildInt(element, "Notice", 0);
  if (Notice < 0) return Notice;
  if (XMLElement* message = FirstChild(element, "Message")) {
    const char* text = ElementText(message);
    Message = UnescapeMessage(text ? text : "");
  }
  time = Clamp(int64_t{TimeFromFile(GetChildInt(element, "Time", 0))} + int64_t{kMinutesPerDay} * nextDay);
  notifyAt = Clamp(int64_t{time} - Notice);
  return notifyAt;
}

int DateSchedule::Save(XMLElement* parent, const char*) {
  if (!parent) return 0;
  XMLElement* element = parent->InsertNewChildElement("Schedule");
  SetChildText(element, "Message", EscapeMessage(Message).c_str());
  SetChildInt(element, "Time", TimeToFile(time));
  SetChildInt(element, "Notice", Notice);
  return 0;
}

int DateScheduleArray::Save(XMLElement* parent, const char*) {
  if (!parent || empty()) return 0;
  XMLElement* table = parent->InsertNewChildElement("ScheduleTable");
  for (DateSchedule* schedule : *this) schedule->Save(table, nullptr);
  return 0;
}

// ---- DateNote ----

void DateNote::LoadHeader(XMLElement* element) {
  if (!element) return;
  year = IntAttribute(element, "year");
  month = IntAttribute(element, "month");
  date = IntAttribute(element, "date");
  GetChildText(element, "Title", Title);
  // The reader turns the CR LF of a line break into LF; the edit box and the file want CR LF.
  Title = WithCrLf(Title);
  if (XMLElement* deco = FirstChild(element, "DayDeco")) decoration.Load(deco);
}

int DateNote::Load(XMLElement* element) {
  if (!element) return 0;
  LoadHeader(element);
  XMLElement* table = FirstChild(element, "ScheduleTable");
  for (XMLElement* child = FirstChild(table, "Schedule"); child; child = child->NextSiblingElement("Schedule")) {
    auto schedule = std::make_unique<DateSchedule>();
    schedule->Load(child);
    schedules.push_back(schedule.get());
    schedule.release();
  }
  return 0;
}

void DateNote::AppendDueSchedules(XMLElement* element) {
  if (!element) return;
  int nextDay = IntAttribute(element, "date") != date ? 1 : 0;
  XMLElement* table = FirstChild(element, "ScheduleTable");
  for (XMLElement* child = FirstChild(table, "Schedule"); child; child = child->NextSiblingElement("Schedule")) {
    auto schedule = std::make_unique<DateSchedule>();
    int notifyAt = schedule->LoadForDay(child, nextDay);
    // Notification off, or due only after today has ended: the next day's reload brings it.
    if (schedule->Notice < 0 || notifyAt >= kMinutesPerDay) continue;
    schedules.push_back(schedule.get());
    schedule.release();
  }
}

int DateNote::Save(XMLElement* element, const char*) {
  if (!element) return 0;
  element->SetAttribute("year", year);
  element->SetAttribute("month", month);
  element->SetAttribute("date", date);
  SetChildText(element, "Title", Title.c_str());
  // An old decoration would be read before a new one appended after it, so it goes first.
  DeleteChildrenNamed(element, "DayDeco");
  if (decoration.flags != 0) decoration.Save(element, nullptr);
  DeleteChildrenNamed(element, "ScheduleTable");
  schedules.Save(element, nullptr);
  return 0;
}

void DateNote::Assign(const DateNote& other) {
  if (&other == this) return;
  schedules.Clear();
  year = other.year;
  month = other.month;
  date = other.date;
  Title = other.Title;
  decoration.Assign(other.decoration);
  for (const DateSchedule* source : other.schedules) {
    auto schedule = std::make_unique<DateSchedule>();
    schedule->Message = source->Message;
    schedule->time = source->time;
    schedule->Notice = source->Notice;
    schedule->notifyAt = source->notifyAt;
    schedules.push_back(schedule.get());
    schedule.release();
  }
}

// ---- DateNoteArray: the store ----

int DateNoteArray::LoadYear(const std::string& prefix, int year) { return LoadYearWith(prefix, year, true); }

int DateNoteArray::LoadYearTitles(const std::string& prefix, int year) {
  return LoadYearWith(prefix, year, false);
}

int DateNoteArray::LoadYearWith(const std::string& prefix, int year, bool withSchedules) {
  if (year == loadedYear) return 1;
  loadedYear = year;
  Clear();
  XMLDocument doc;
  if (LoadXmlFile(doc, MemoFilePath(prefix, year)) != tinyxml2::XML_SUCCESS) return 1;
  for (XMLElement* element = FirstNote(doc.FirstChildElement()); element; element = NextNote(element)) {
    auto note = std::make_unique<DateNote>();
    if (withSchedules) {
      note->Load(element);
    } else {
      note->LoadHeader(element);
    }
    push_back(note.get());
    note.release();
  }
  return 0;
}

int DateNoteArray::LoadNote(const std::string& prefix, DateNote& note) {
  XMLDocument doc;
  if (LoadXmlFile(doc, MemoFilePath(prefix, note.year)) != tinyxml2::XML_SUCCESS) return 1;
  const int64_t key = note.Key();
  for (XMLElement* element = FirstNote(doc.FirstChildElement()); element; element = NextNote(element)) {
    int64_t elementKey = ElementKey(element);
    if (elementKey > key) break;
    if (elementKey == key) {
      note.Load(element);
      break;
    }
  }
  return 0;
}

int DateNoteArray::LoadDueSchedules(const std::string& prefix, DateNote& today) {
  CheckDueDate(today);
  const int64_t todayKey = today.Key();
  const int64_t tomorrowKey = TomorrowKey(today);
  XMLDocument doc;
  if (LoadXmlFile(doc, MemoFilePath(prefix, today.year)) != tinyxml2::XML_SUCCESS) return 1;
  for (XMLElement* element = FirstNote(doc.FirstChildElement()); element; element = NextNote(element)) {
    int64_t key = ElementKey(element);
    if (key > tomorrowKey) break;
    if (key == todayKey || key == tomorrowKey) today.AppendDueSchedules(element);
  }
  return 0;
}

int DateNoteArray::SaveNote(const std::string& prefix, DateNote& note, std::string* setAsideName) {
  const std::string path = MemoFilePath(prefix, note.year);
  XMLDocument doc;
  const int loaded = LoadXmlFile(doc, path);
  if (loaded != tinyxml2::XML_SUCCESS) {
    // The reader reports any file it could not open as missing. A file that is there but could
    // not be opened or read (held by another program, a folder gone for a moment) may be whole:
    // nothing is written and the save fails.
    const bool unread = loaded == tinyxml2::XML_ERROR_FILE_NOT_FOUND ||
                        loaded == tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED ||
                        loaded == tinyxml2::XML_ERROR_FILE_READ_ERROR;
    if (unread && FileExists(path)) return tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED;
    // One that was read and does not parse still holds the user's other memos: it is kept under
    // a new name, and nothing is written if even that fails.
    if (!unread) {
      const std::string brokenName = BrokenFileName(path);
      if (!MoveFileAside(path, brokenName)) return tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED;
      if (setAsideName) *setAsideName = brokenName;
    }
    doc.Clear();
    doc.InsertFirstChild(doc.NewDeclaration("xml version=\"1.0\" encoding=\"Shift_JIS\""));
  }
  XMLElement* root = doc.FirstChildElement();
  if (!root) root = doc.InsertEndChild(doc.NewElement("DateNoteTable"))->ToElement();

  const int64_t key = note.Key();
  XMLElement* target = nullptr;
  for (XMLElement* element = FirstNote(root); element && !target; element = NextNote(element)) {
    int64_t elementKey = ElementKey(element);
    if (elementKey == key) {
      element->DeleteChildren();
      target = element;
    } else if (elementKey > key) {
      target = doc.NewElement("DateNote");
      InsertBefore(root, element, target);
    }
  }
  if (!target) target = root->InsertNewChildElement("DateNote");
  note.Save(target, nullptr);
  return SaveXmlFile(doc, path);
}

int DateNoteArray::DeleteNote(const std::string& prefix, int year, int month, int day) {
  const std::string path = MemoFilePath(prefix, year);
  XMLDocument doc;
  if (LoadXmlFile(doc, path) != tinyxml2::XML_SUCCESS) return 1;
  XMLElement* root = doc.FirstChildElement();
  if (!root) return 1;
  const int64_t key = NoteKey(year, month, day);
  for (XMLElement* element = FirstNote(root); element; element = NextNote(element)) {
    int64_t elementKey = ElementKey(element);
    if (elementKey > key) break;
    if (elementKey == key) {
      root->DeleteChild(element);
      break;
    }
  }
  return SaveXmlFile(doc, path);
}
