// The memo editor on a double click on a day: the day's memo is edited on a copy and, on OK,
// stored (or deleted), read again for drawing, and the notifications follow the change.
#include <cstdio>
#include <string>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "app/tick_clock.h"
#include "dialogs/dlg_memo_edt.h"
#include "docs/file_save.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

// Years before the calendar reform have no memos.
constexpr int kFirstMemoYear = 1601;

void ShowFileMessage(CalendarApp& app, unsigned textId, const std::string& path, UINT icon) {
  const std::string format = LoadResourceString(textId);
  const int length = std::snprintf(nullptr, 0, format.c_str(), path.c_str());
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(&text[0], text.size() + 1, format.c_str(), path.c_str());
  app.ShowMessage(app.mainWindow, text, ProgramName, icon | MB_OK);
}

}  // namespace

void CalendarApp::OpenMemoEditor(POINT client, WPARAM keys) {
  if (keys & (MK_CONTROL | MK_SHIFT | MK_RBUTTON)) return;
  const int day = DayAtPoint(client.x, client.y);
  if (day == 0 || shownYear < kFirstMemoYear) return;
  // The day edited, fixed now: nothing the tick does while the editor is open may change
  // which memo is stored or deleted.
  const int year = shownYear, month = shownMonth;
  DateNote note(year, month, day);
  DateNoteArray::LoadNote(options->MemoXml, note);
  DlgMemoEdt editor;
  editor.note = &note;
  if (RunDialog(editor) != 1) return;

  // A memo the user believes kept but that is not on disk would be lost without a word: a
  // failed save is told, and the calendar shows what the file holds. Deleting from a year
  // file that is not there has nothing to do and is no failure.
  const std::string path = MemoFilePath(options->MemoXml, year);
  std::string setAside;
  const bool failed = note.date != 0 ? DateNoteArray::SaveNote(options->MemoXml, note, &setAside) != 0
                                     : DateNoteArray::DeleteNote(options->MemoXml, year, month, day) != 0 &&
                                           FileExists(path);
  // Nothing changed on disk when the save failed: the memos shown are still what the file holds,
  // even while the file cannot be read again.
  if (!failed) {
    monthMemos.loadedYear = 0;
    monthMemos.LoadYear(options->MemoXml, shownYear);
    ReloadNotifications(ReadTickTime());
    Redraw();
    InvalidateRect(mainWindow, nullptr, TRUE);
  }
  if (!setAside.empty()) ShowFileMessage(*this, IDS_MEMO_SET_ASIDE, setAside, MB_ICONWARNING);
  if (failed) ShowFileMessage(*this, IDS_MEMO_SAVE_FAILED, path, MB_ICONERROR);
}
