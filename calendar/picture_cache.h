// Decoded decoration pictures kept from one redraw to the next, so a month step does not
// decode the same file again for every cell that shows it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "calendar/image_loader.h"

class PictureCache {
 public:
  // Enough for every decoration type a user keeps; a folder of hundreds of pictures cannot
  // use up the process's GDI objects.
  static constexpr size_t kDefaultCapacity = 64;

  explicit PictureCache(size_t capacity = kDefaultCapacity)
      : capacity(capacity > 0 ? capacity : 1) {}
  ~PictureCache() { Clear(); }
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // The picture of the file at path, or null when the file is missing or cannot be decoded.
  // The file is decoded on first use and again only when its size or last-write time changed,
  // so an edited picture shows at the next redraw while a broken path costs one attempt until
  // the file changes. The bitmap stays the cache's and is valid until the next Find or Clear.
  const ImageFile* Find(const std::string& path, ImageLoader& loader);

  // Deletes every bitmap: the next redraw decodes what it shows afresh.
  void Clear();

  size_t Size() const { return entries.size(); }
  // Decode attempts since the cache was made, failed ones included.
  size_t DecodeCount() const { return decodes; }

 private:
  struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp& other) const {
      return exists == other.exists && size == other.size && written == other.written;
    }
  };
  struct Entry {
    std::string path;
    FileStamp stamp;
    ImageFile image;  // no bitmap: the file was missing or undecodable at that stamp
  };
  using EntryList = std::list<Entry>;

  static FileStamp StampOf(const std::string& path);
  static void FreeBitmap(Entry& entry);
  void Decode(Entry& entry, ImageLoader& loader);
  void EvictBeyondCapacity();

  size_t capacity;
  size_t decodes = 0;
  // Most recently used first; the last one goes when the cache is full.
  EntryList entries;
  std::unordered_map<std::string, EntryList::iterator> byPath;
};
