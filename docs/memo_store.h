// Day memos and their timed schedules, stored one XML file per year in the data folder
// ("<prefix><year>.xml", the prefix being the "MemoXml" option). Inside a year file the
// "DateNote" elements stand in ascending date order, at most one per day; every operation that
// looks for one day relies on that order to stop early.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/day_deco.h"
#include "docs/xml_node.h"

// Minutes in a day; schedules of tomorrow are counted on from today's midnight.
constexpr int kMinutesPerDay = 1440;

// Message escapes: the XML library turns CR LF into LF when it reads, so line breaks, tabs and
// the backslash that introduces the escapes are written as "\crlf;", "\tab;" and "\yen;".
// A 0x5C byte that is the second byte of a double-byte character is left alone.
std::string EscapeMessage(const std::string& text);
std::string UnescapeMessage(const std::string& text);

// A file's "Time" (hours x 100 + minutes) to minutes after midnight, and back.
int TimeFromFile(int hhmm);
int TimeToFile(int minutes);

// Date key that orders memos: year x 10000 + month x 100 + day. Wide enough that any
// attribute values a damaged file may hold cannot overflow it.
int64_t NoteKey(int year, int month, int date);

// DataFolder + prefix + year + ".xml".
std::string MemoFilePath(const std::string& prefix, int year);

class DateSchedule : public CXmlNodeBase {
 public:
  // Reads a "Schedule" element.
  int Load(XMLElement* element) override;
  // For the notification list: returns Notice when it is negative (notification off; nothing
  // else is read), else reads the schedule with a day (1440 minutes) added for tomorrow's and
  // returns notifyAt.
  int LoadForDay(XMLElement* element, int nextDay);
  // Appends a "Schedule" element to parent.
  int Save(XMLElement* parent, const char* itemName) override;

  std::string Message;
  // Start in minutes after midnight.
  int time = 540;
  // Lead time in minutes; negative: notification off (the editor keeps the complement of the
  // lead time so it survives switching off).
  int Notice = 30;
  // Minute of the notification, time - Notice; not stored.
  int notifyAt = 0;
};

class DateScheduleArray : public CXmlNodeArray<DateSchedule> {
 public:
  // Appends a "ScheduleTable" with every schedule in order; writes nothing for an empty list.
  int Save(XMLElement* parent, const char* itemName) override;
};

class DateNote : public CXmlNodeBase {
 public:
  DateNote() = default;
  DateNote(int year, int month, int date) : year(year), month(month), date(date) {}

  // Date and title (and the day's own decoration): what drawing needs.
  void LoadHeader(XMLElement* element);
  // LoadHeader, then appends the schedules of the first "ScheduleTable".
  int Load(XMLElement* element) override;
  // Appends the schedules of a memo of this day or of the next day whose notification is on
  // and falls within this day; the next day's are counted 1440 minutes on.
  void AppendDueSchedules(XMLElement* element);
  // Writes this memo into its own "DateNote" element.
  int Save(XMLElement* element, const char* itemName) override;
  // Makes this memo a copy of other, schedules included.
  void Assign(const DateNote& other);

  int64_t Key() const { return NoteKey(year, month, date); }

  int year = 0;
  int month = 0;
  // Day of the month; 0 in a copy handed back by the memo editor asks for deletion.
  int date = 0;
  // Shown in the day's tooltip; stored as it stands.
  std::string Title;
  CDayDeco decoration;
  DateScheduleArray schedules;
};

class DateNoteArray : public CXmlNodeArray<DateNote> {
 public:
  // Reads every memo of year with its schedules. Returns 1 and changes nothing when year is
  // already loaded; 1 with an empty list when the file cannot be read; else 0.
  int LoadYear(const std::string& prefix, int year);
  // The same with date, title and decoration only, which is all drawing needs.
  int LoadYearTitles(const std::string& prefix, int year);

  // Fills note with the memo of its day, if the year file holds one. 1 when the file cannot
  // be read, else 0.
  static int LoadNote(const std::string& prefix, DateNote& note);
  // Appends to today's note the schedules of today and tomorrow whose notification falls
  // today. The note must carry a valid date from 1970 on (std::invalid_argument otherwise).
  // Tomorrow is looked up in today's year file only. 1 when the file cannot be read, else 0.
  static int LoadDueSchedules(const std::string& prefix, DateNote& today);
  // Inserts the memo in date order, or replaces the memo of its day in place. A year file
  // that was read but does not parse is kept aside (".broken-" and a time stamp, the new path
  // given in setAsideName) before a fresh one is written; one that exists but cannot be opened
  // or read is left alone and nothing is written. Returns 0, or nonzero when nothing could be
  // written.
  static int SaveNote(const std::string& prefix, DateNote& note, std::string* setAsideName = nullptr);
  // Removes the memo of one day. Returns 0 when the file was read and written back, else
  // nonzero (a missing or unreadable file is left as it is).
  static int DeleteNote(const std::string& prefix, int year, int month, int day);

  // Year whose memos the list holds; 0: none. Set to 0 to force the next load to read.
  int loadedYear = 0;

 private:
  int LoadYearWith(const std::string& prefix, int year, bool withSchedules);
};
