// Any bytes in a memo year file: reading it for drawing, for editing and for notifications
// never crashes, and saving a memo into it always leaves a readable file.
#include <cstddef>
#include <cstdint>

#include "docs/data_folder.h"
#include "docs/memo_store.h"
#include "fuzz_loader_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OverrideDataFolderForTesting(FuzzFolder());
  const std::string prefix = "FuzzMemo";
  std::string path = MemoFilePath(prefix, 2024);
  WriteFuzzFile(path, data, size);

  DateNoteArray titles;
  titles.LoadYearTitles(prefix, 2024);
  DateNoteArray full;
  full.LoadYear(prefix, 2024);
  DateNote note(2024, 3, 10);
  DateNoteArray::LoadNote(prefix, note);
  DateNote today(2024, 3, 10);
  DateNoteArray::LoadDueSchedules(prefix, today);

  DateNote memo(2024, 3, 11);
  memo.Title = "memo";
  if (DateNoteArray::SaveNote(prefix, memo) != 0) std::abort();
  DateNote back(2024, 3, 11);
  DateNoteArray::LoadNote(prefix, back);
  if (back.Title != "memo") std::abort();
  RemoveFilesNamed(FuzzFolder(), ".broken");
  return 0;
}
