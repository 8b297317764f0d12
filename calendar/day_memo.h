// Finding the memo of one day in the memo list of the shown year.
#pragma once

#include "docs/memo_store.h"

// Walks the list from its last entry towards the first: an entry of the day is its memo, the
// first entry of an earlier day ends the search. In a list in date order that finds every
// memo; in a hand-edited file with one memo out of place only that memo is missed, where a
// walk from the front would lose every memo after it. Null when the day has none.
const DateNote* FindDayMemo(const DateNoteArray& memos, int year, int month, int day);
