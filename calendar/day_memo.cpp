#include "calendar/day_memo.h"

const DateNote* FindDayMemo(const DateNoteArray& memos, int year, int month, int day) {
  const int64_t key = NoteKey(year, month, day);
  for (size_t i = memos.size(); i-- > 0;) {
    const int64_t entry = memos[i]->Key();
    if (entry == key) return memos[i];
    if (entry < key) return nullptr;
  }
  return nullptr;
}
