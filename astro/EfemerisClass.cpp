// SPDX-License-Identifier: GPL-3.0-or-later
#include "EfemerisClass.h"

#include "Angles.h"
#include "AtomicFile.h"
#include "DateTime.h"
#include "Formatting.h"
#include "PlanetPosition.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <mutex>

namespace astro {
namespace {

constexpr std::size_t kFirstFieldOffset = 11; // 0-based offset of body 1's six characters
constexpr std::size_t kFieldStride = 7;
constexpr std::size_t kFieldWidth = 6;

std::size_t FieldOffset(int body) {
  return kFirstFieldOffset + kFieldStride * (body - 1);
}

void PutTwoDigits(char* out, unsigned value) {
  out[0] = static_cast<char>('0' + value / 10 % 10);
  out[1] = static_cast<char>('0' + value % 10);
}

unsigned Day(const std::uint8_t* bytes) {
  return bytes[0] >> 3u;
}
unsigned Month(const std::uint8_t* bytes) {
  return ((bytes[0] & 7u) << 1u) | (bytes[1] >> 7u);
}
unsigned Year(const std::uint8_t* bytes) {
  return ((bytes[1] & 15u) << 8u) | bytes[2];
}

std::uint16_t LongitudeWord(const std::uint8_t* record, int body) {
  const std::uint8_t* word = record + 3 + 2 * (body - 1);
  return static_cast<std::uint16_t>(word[0] | (word[1] << 8));
}

// "DD.MM.YYYY" of the packed bytes into out[0..9]; the year always has four digits (0..4095).
void WriteDate(char* out, const std::uint8_t* bytes) {
  const unsigned day = Day(bytes);
  const unsigned month = Month(bytes);
  const unsigned year = Year(bytes);
  PutTwoDigits(out, day);
  out[2] = '.';
  PutTwoDigits(out + 3, month);
  out[5] = '.';
  PutTwoDigits(out + 6, year / 100);
  PutTwoDigits(out + 8, year % 100);
}

// FormatFixed(2, 6, UnpackLongitude(word)) into out[0..5], done on the integers: the decimal
// text of degrees + hundredths / 100 is exactly these digits.
void WriteLongitude(char* out, std::uint16_t word) {
  unsigned degrees = word >> 7u;
  unsigned hundredths = word & 127u;
  if (hundredths > 99) { // not in valid files: 1.20 more degrees, as the sum means
    degrees += 1;
    hundredths -= 100;
  }
  out[0] = degrees >= 100 ? static_cast<char>('0' + degrees / 100) : ' ';
  out[1] = degrees >= 10 ? static_cast<char>('0' + degrees / 10 % 10) : ' ';
  out[2] = static_cast<char>('0' + degrees % 10);
  out[3] = '.';
  PutTwoDigits(out + 4, hundredths);
}

std::int64_t DayKey(std::int64_t year, std::int64_t month, std::int64_t day) {
  return year * 10000 + month * 100 + day;
}

bool IsRegularFile(const std::string& path, bool& exists) {
  struct stat info {};
  exists = stat(path.c_str(), &info) == 0;
  return exists && S_ISREG(info.st_mode);
}

} // namespace

std::string TEfemerisClass::LocateFile(const std::string& ExecutableFolder) {
  bool exists = false;
  IsRegularFile(kDefaultFileName, exists);
  if (exists || ExecutableFolder.empty())
    return kDefaultFileName;
  std::string path = ExecutableFolder;
  if (path.back() != '/')
    path += '/';
  return path + kDefaultFileName;
}

// The records read so far of a file kept open; a record stays where it was read, so the pointers
// handed out stay valid.
struct TEfemerisClass::TRecordFile {
  TRecordFile(int Fd, std::string Name) : Fd(Fd), Name(std::move(Name)) {}
  ~TRecordFile() { ::close(Fd); }
  TRecordFile(const TRecordFile&) = delete;
  TRecordFile& operator=(const TRecordFile&) = delete;

  const std::uint8_t* Record(std::size_t Index) {
    const std::lock_guard<std::mutex> hold(Lock);
    const auto [place, added] = Read.try_emplace(Index);
    if (added) {
      std::size_t done = 0;
      while (done < kEphemerisRecordSize) {
        const ssize_t got = ::pread(Fd, place->second.data() + done, kEphemerisRecordSize - done,
                                    static_cast<off_t>(Index * kEphemerisRecordSize + done));
        if (got < 0 && errno == EINTR)
          continue;
        if (got <= 0) {
          Read.erase(place);
          throw EFileError("Cannot open file " + Name);
        }
        done += static_cast<std::size_t>(got);
      }
    }
    return place->second.data();
  }

  const int Fd;
  const std::string Name;
  std::mutex Lock;
  std::map<std::size_t, TEphemerisRecord> Read;
};

TEfemerisClass::TEfemerisClass(std::string FileName, TReading Reading)
    : FileName_(std::move(FileName)) {
  Load(Reading);
}

const std::uint8_t* TEfemerisClass::RecordOnDemand(std::size_t Index) const {
  return File_->Record(Index);
}

void TEfemerisClass::Load(TReading Reading) {
  bool exists = false;
  const bool regular = IsRegularFile(FileName_, exists);
  if (!exists)
    return;
  const std::string cannotOpen = "Cannot open file " + FileName_;
  if (!regular)
    throw EFileError(cannotOpen);
  const int fd = ::open(FileName_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw EFileError(cannotOpen);
  const std::unique_ptr<const int, void (*)(const int*)> closer(&fd,
                                                                [](const int* f) { ::close(*f); });
  struct stat info {};
  if (::fstat(fd, &info) != 0)
    throw EFileError(cannotOpen);
  const std::size_t count = static_cast<std::size_t>(info.st_size) / kEphemerisRecordSize;
  if (Reading == TReading::OnDemand) {
    // No day is found by its distance from the first: the search over the dates answers alone,
    // as it does for every file.
    const int kept = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (kept < 0)
      throw EFileError(cannotOpen);
    File_ = std::make_shared<TRecordFile>(kept, FileName_);
    Count_ = count;
    return;
  }
  const std::size_t size = count * kEphemerisRecordSize;
  auto records = std::make_unique_for_overwrite<std::uint8_t[]>(size);
  std::size_t done = 0;
  bool failed = false;
  while (done < size) { // one call for a regular file; more only if the kernel splits it
    const ssize_t got = ::read(fd, records.get() + done, size - done);
    if (got < 0 && errno == EINTR)
      continue;
    failed = got < 0;
    if (got <= 0)
      break; // an error, or the file shrank while being read: its whole records are kept
    done += static_cast<std::size_t>(got);
  }
  if (failed)
    throw EFileError(cannotOpen);
  Records_ = std::move(records);
  Count_ = done / kEphemerisRecordSize;

  bool rising = Count_ > 0;
  for (std::size_t i = 1; i < Count_ && rising; ++i)
    rising = DayKeyOfRecord(i - 1) < DayKeyOfRecord(i);
  const std::int64_t first = Count_ > 0 ? DayKeyOfRecord(0) : 0;
  TDateTime firstDay = 0;
  if (rising && TryEncodeDate(static_cast<int>(first / 10000), static_cast<int>(first / 100 % 100),
                              static_cast<int>(first % 100), firstDay))
    FirstDay_ = firstDay;
}

std::string TEfemerisClass::Line(std::size_t Index) const {
  if (Index >= Count_)
    return {};
  std::string line(kEphemerisLineLength, ' ');
  const std::uint8_t* record = Record(Index);
  WriteDate(line.data(), record);
  for (int b = 1; b <= 10; ++b)
    WriteLongitude(line.data() + FieldOffset(b), LongitudeWord(record, b));
  return line;
}

std::int64_t TEfemerisClass::DayKeyOfRecord(std::size_t Index) const {
  const std::uint8_t* bytes = Record(Index);
  return DayKey(Year(bytes), Month(bytes), Day(bytes));
}

TDateTime TEfemerisClass::DateOfRecord(std::size_t Index) const {
  const std::uint8_t* bytes = Record(Index);
  int year = static_cast<int>(Year(bytes));
  int month = static_cast<int>(Month(bytes));
  int day = static_cast<int>(Day(bytes));
  // A corrupt record may carry day 0, month 0 or 13..15, year 0 or 31 April: answer the nearest
  // real date instead of failing, so the pickers still get a usable range.
  year = year < kMinYear ? kMinYear : (year > kMaxYear ? kMaxYear : year);
  month = month < 1 ? 1 : (month > 12 ? 12 : month);
  const int last = DaysInMonth(year, month);
  day = day < 1 ? 1 : (day > last ? last : day);
  return EncodeDate(year, month, day);
}

double TEfemerisClass::FieldValue(std::size_t Index, int Body) const {
  // The line's field is the decimal text of degrees + hundredths / 100 (WriteLongitude).
  const std::uint16_t word = LongitudeWord(Record(Index), Body);
  return static_cast<double>((word >> 7u) * 100u + (word & 127u)) / 100.0;
}

std::size_t TEfemerisClass::SearchDay(std::int64_t Key) const {
  std::size_t low = 0;
  std::size_t high = Count_ - 1;
  std::size_t mid = low + (high - low) / 2;
  while (high - low > 1) {
    const std::int64_t lineKey = DayKeyOfRecord(mid);
    if (Key < lineKey)
      high = mid;
    else if (Key == lineKey)
      return mid;
    else
      low = mid;
    mid = low + (high - low) / 2;
  }
  // Not met on the way: the day before the first line gives 0, the last line's day or later
  // gives Count - 2 (the last line only ever serves as the day after), a gap the line before it.
  return low;
}

bool TEfemerisClass::FindDay(std::int64_t Key, std::optional<TDateTime> Day,
                             std::size_t& Index) const {
  if (!HasData())
    return false;
  // In rising dates the search meets the line of the day wherever it lies, so the line found
  // by distance is its answer too (the last line answering as the one before it).
  if (FirstDay_ && Day) {
    const double distance = *Day - *FirstDay_;
    if (distance >= 0 && distance < static_cast<double>(Count_)) {
      const auto k = static_cast<std::size_t>(distance);
      if (DayKeyOfRecord(k) == Key) {
        Index = k < Count_ - 1 ? k : Count_ - 2;
        return true;
      }
    }
  }
  Index = SearchDay(Key);
  return true;
}

bool TEfemerisClass::FindRecord(std::string_view DateText, std::size_t& Index) const {
  auto field = [DateText](std::size_t from, std::size_t length) -> int {
    return from < DateText.size() ? StrToIntVal(DateText.substr(from, length)) : 0;
  };
  const int year = field(6, 4), month = field(3, 2), day = field(0, 2);
  TDateTime date = 0;
  const bool real = TryEncodeDate(year, month, day, date);
  return FindDay(DayKey(year, month, day), real ? std::optional(date) : std::nullopt, Index);
}

std::array<double, 10> TEfemerisClass::LongitudesAt(TDateTime MomentUT) const {
  std::array<double, 10> longitudes{};
  std::size_t index = 0;
  const TCalendarDate day = DecodeDate(MomentUT);
  if (!FindDay(DayKey(day.Year, day.Month, day.Day), DateOf(MomentUT), index))
    return longitudes;
  const double f = static_cast<double>(SecondsOfDay(MomentUT)) / 86400.0;
  // Lagrange weights of the days -1, +1 and +2 at the day's fraction f; the values are taken as
  // offsets from the day's own, whose weight then multiplies zero.
  const double weightBefore = -f * (f - 1.0) * (f - 2.0) / 6.0;
  const double weightNext = -(f + 1.0) * f * (f - 2.0) / 2.0;
  const double weightAfter = (f + 1.0) * f * (f - 1.0) / 6.0;
  const bool cubic = index >= 1 && index + 2 < Count_;
  for (int b = 1; b <= 10; ++b) {
    const double thisDay = FieldValue(index, b);
    // Unwrapped around the day, so a crossing of 0 degrees is a step like any other.
    const double next = LongitudeDelta(FieldValue(index + 1, b), thisDay);
    double offset = f * next;
    if (cubic) {
      const double before = -LongitudeDelta(thisDay, FieldValue(index - 1, b));
      const double after =
          next + LongitudeDelta(FieldValue(index + 2, b), FieldValue(index + 1, b));
      offset = weightBefore * before + weightNext * next + weightAfter * after;
    }
    longitudes[b - 1] = NormalizeDegrees(thisDay + offset);
  }
  return longitudes;
}

void TEfemerisClass::ComputePositions(TPlanetPosition& Position, TDateTime MomentUT) const {
  if (!HasData())
    return;
  const std::array<double, 10> longitudes = LongitudesAt(MomentUT);
  for (int b = 1; b <= 10; ++b)
    Position.SetLongitude(b, longitudes[b - 1]);
  Position.SetPositionsValid(true);
  Position.FindAspects();
}

TDateTime TEfemerisClass::FirstDate() const {
  return HasData() ? DateOfRecord(0) : 0.0;
}

TDateTime TEfemerisClass::LastDate() const {
  return HasData() ? DateOfRecord(Count_ - 2) + EncodeTime(23, 59, 59) : 0.0;
}

std::string TEfemerisClass::ExtractFileName(TDateTime FromDate, TDateTime ToDate) {
  return DateToText(FromDate) + "-" + DateToText(ToDate) + ".eft";
}

TEphemerisRecord TEfemerisClass::EncodeLine(std::size_t Index) const {
  TEphemerisRecord record{};
  const std::string line = Line(Index);
  if (line.empty())
    return record;
  const TPackedDate date = PackDate(line.substr(0, 10));
  record[0] = date[0];
  record[1] = date[1];
  record[2] = date[2];
  for (int b = 1; b <= 10; ++b) {
    const std::uint16_t word = PackLongitude(line.substr(FieldOffset(b), kFieldWidth));
    record[3 + 2 * (b - 1)] = static_cast<std::uint8_t>(word & 0xFF);
    record[4 + 2 * (b - 1)] = static_cast<std::uint8_t>(word >> 8);
  }
  return record;
}

std::optional<std::string> TEfemerisClass::ExportRange(TDateTime FromDate, TDateTime ToDate,
                                                       const std::string& Folder) const {
  std::size_t from = 0;
  std::size_t to = 0;
  if (!FindRecord(DateToText(FromDate), from) || !FindRecord(DateToText(ToDate), to))
    return std::nullopt;
  const std::string name = ExtractFileName(FromDate, ToDate);
  std::string path = Folder;
  if (!path.empty() && path.back() != '/')
    path += '/';
  path += name;
  std::string bytes;
  for (std::size_t i = from; i <= to + 1; ++i) {
    const TEphemerisRecord record = EncodeLine(i);
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  switch (ReplaceFile(path, bytes)) {
  case TReplaceResult::Done:
    break;
  case TReplaceResult::CannotCreate:
    throw EFileError("Cannot create file " + path);
  case TReplaceResult::CannotWrite:
    throw EFileError("Unable to write to " + path);
  }
  return name;
}

std::string TEfemerisClass::UnpackDate(const TPackedDate& Bytes) {
  std::string text(10, ' ');
  WriteDate(text.data(), Bytes.data());
  return text;
}

TPackedDate TEfemerisClass::PackDate(std::string_view DateText) {
  auto field = [DateText](std::size_t from, std::size_t length) -> unsigned {
    return from < DateText.size()
               ? static_cast<unsigned>(StrToIntVal(DateText.substr(from, length)))
               : 0u;
  };
  const unsigned day = field(0, 2) & 31u;
  const unsigned month = field(3, 2) & 15u;
  const unsigned year = field(6, 4) & 4095u;
  return {static_cast<std::uint8_t>((day << 3u) | (month >> 1u)),
          static_cast<std::uint8_t>(((month & 1u) << 7u) | (year >> 8u)),
          static_cast<std::uint8_t>(year & 255u)};
}

double TEfemerisClass::UnpackLongitude(std::uint16_t Word) {
  return static_cast<double>((Word >> 7u) * 100u + (Word & 127u)) / 100.0;
}

std::uint16_t TEfemerisClass::PackLongitude(std::string_view Field) {
  const std::size_t point = Field.find('.');
  if (point == std::string_view::npos)
    return static_cast<std::uint16_t>(static_cast<unsigned>(StrToIntVal(Field)) << 7u);
  const unsigned degrees = static_cast<unsigned>(StrToIntVal(Field.substr(0, point)));
  std::string hundredths(Field.substr(point + 1));
  if (hundredths.size() < 2)
    hundredths += '0';
  return static_cast<std::uint16_t>((degrees << 7u) +
                                    static_cast<unsigned>(StrToIntVal(hundredths)));
}

} // namespace astro
