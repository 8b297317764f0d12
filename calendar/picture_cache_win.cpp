#include "calendar/picture_cache.h"

PictureCache::FileStamp PictureCache::StampOf(const std::string& path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
  stamp.exists = true;
  stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.written = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                  data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

void PictureCache::FreeBitmap(Entry& entry) {
  if (entry.image.bitmap) DeleteObject(entry.image.bitmap);
  entry.image = ImageFile();
}

void PictureCache::Decode(Entry& entry, ImageLoader& loader) {
  FreeBitmap(entry);
  ++decodes;
  if (!entry.stamp.exists) return;
  loader.Load(entry.path, entry.image);
}

const ImageFile* PictureCache::Find(const std::string& path, ImageLoader& loader) {
  if (path.empty()) return nullptr;
  const FileStamp stamp = StampOf(path);
  auto known = byPath.find(path);
  if (known == byPath.end()) {
    entries.push_front(Entry{path, stamp, ImageFile()});
    byPath[path] = entries.begin();
    Decode(entries.front(), loader);
    EvictBeyondCapacity();
  } else {
    entries.splice(entries.begin(), entries, known->second);
    Entry& entry = entries.front();
    if (!(entry.stamp == stamp)) {
      entry.stamp = stamp;
      Decode(entry, loader);
    }
  }
  const Entry& entry = entries.front();
  return entry.image.bitmap ? &entry.image : nullptr;
}

void PictureCache::EvictBeyondCapacity() {
  while (entries.size() > capacity && !entries.empty()) {
    Entry& last = entries.back();
    FreeBitmap(last);
    byPath.erase(last.path);
    entries.pop_back();
  }
}

void PictureCache::Clear() {
  for (Entry& entry : entries) FreeBitmap(entry);
  entries.clear();
  byPath.clear();
}
