// The memo editor on a double click on a day: the day's memo is edited on a copy and, on OK,
// stored (or deleted), read again for drawing, and the notifications follow the change.
#include "app/calendar_app.h"
#include "app/tick_clock.h"
#include "dialogs/dlg_memo_edt.h"
#include "docs/settings.h"

namespace {

// Years before the calendar reform have no memos.
constexpr int kFirstMemoYear = 1601;

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

  if (note.date != 0) {
    DateNoteArray::SaveNote(options->MemoXml, note);
  } else {
    DateNoteArray::DeleteNote(options->MemoXml, year, month, day);
  }
  monthMemos.loadedYear = 0;
  monthMemos.LoadYear(options->MemoXml, shownYear);
  ReloadNotifications(ReadTickTime(), true);
  Redraw();
  InvalidateRect(mainWindow, nullptr, TRUE);
}
