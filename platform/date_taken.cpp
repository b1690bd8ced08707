// The one place that calls libexiv2; everything it throws is caught here.
#include "platform/date_taken.h"

#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <mutex>
#include <string>

namespace kestro {
namespace {

// The library's parsers keep global state (its XMP toolkit among them): one read at a time.
std::mutex& LibraryMutex() {
  static std::mutex mutex;
  return mutex;
}

void SetUpLibrary() {
  static const bool done = [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);  // its warnings would go to our stderr
    Exiv2::enableBMFF(true);                       // HEIF, AVIF, CR3 where the build has them
    Exiv2::XmpParser::initialize();
    return true;
  }();
  static_cast<void>(done);
}

// The formats that carry Exif dates; the others (BMP, GIF, TARGA, EPS, ...) hold none, and some of
// them are recognised by so little that any text could pass for one.
bool CarriesExif(int type) {
  namespace T = Exiv2::ImageType;
  for (const int with : {T::jpeg, T::exv, T::crw, T::tiff, T::mrw, T::png, T::cr2, T::raf, T::orf,
                         T::psd, T::jp2, T::rw2, T::pgf, T::bmff, T::webp}) {
    if (type == with) return true;
  }
  return false;
}

bool TwoDigits(std::string_view text, std::size_t at, int* value) {
  if (text[at] < '0' || text[at] > '9' || text[at + 1] < '0' || text[at + 1] > '9') return false;
  *value = (text[at] - '0') * 10 + (text[at + 1] - '0');
  return true;
}

Status NoDate(std::string detail = {}) {
  std::string reason = kNoDateTaken;
  if (!detail.empty()) reason += " (" + detail + ")";
  return Status::Error(Status::Code::kNotFound, std::move(reason));
}

}  // namespace

bool ParseExifDateTime(std::string_view text, DateTime* when) {
  // Some cameras end the text with a NUL or blanks the tag's count leaves over.
  while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.remove_suffix(1);
  if (text.size() != 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return false;
  }
  int century = 0;
  int year = 0;
  DateTime parsed;
  if (!TwoDigits(text, 0, &century) || !TwoDigits(text, 2, &year) ||
      !TwoDigits(text, 5, &parsed.date.month) || !TwoDigits(text, 8, &parsed.date.day) ||
      !TwoDigits(text, 11, &parsed.hour) || !TwoDigits(text, 14, &parsed.minute) ||
      !TwoDigits(text, 17, &parsed.second)) {
    return false;
  }
  parsed.date.year = century * 100 + year;
  if (parsed.date.year == 0 || parsed.date.month < 1 || parsed.date.month > 12 ||
      parsed.date.day < 1 || parsed.date.day > 31 || parsed.hour > 23 || parsed.minute > 59 ||
      parsed.second > 60) {
    return false;
  }
  *when = parsed;
  return true;
}

Status ReadDateTaken(const unsigned char* data, std::size_t size, DateTime* when) {
  if (size == 0) return NoDate();
  const auto length = static_cast<long>(size < kDateTakenReadLimit ? size : kDateTakenReadLimit);
  std::lock_guard lock(LibraryMutex());
  try {
    SetUpLibrary();
    // Too short for the library to tell its type (it throws then): no image at all.
    int type = Exiv2::ImageType::none;
    try {
      type = Exiv2::ImageFactory::getType(data, length);
    } catch (const std::exception&) {
    }
    if (!CarriesExif(type)) return NoDate();
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(data, length);
    if (image.get() == nullptr) return NoDate();
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    // Made once: a key is looked up in the library's tables as it is made.
    static const Exiv2::ExifKey kKeys[] = {Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"),
                                           Exiv2::ExifKey("Exif.Photo.DateTimeDigitized")};
    for (const Exiv2::ExifKey& key : kKeys) {
      const auto found = exif.findKey(key);
      if (found != exif.end() && ParseExifDateTime(found->toString(), when)) return Status::Ok();
    }
    return NoDate();
  } catch (const std::exception& error) {
    return NoDate(std::string("its metadata cannot be read: ") + error.what());
  } catch (...) {
    return NoDate("its metadata cannot be read");
  }
}

}  // namespace kestro
