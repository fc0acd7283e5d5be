#include "files/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <istream>

#include <sys/stat.h>
#include <unistd.h>

#include "common/Text.h"
#include "files/RecordLines.h"
#include "files/SafeRead.h"

namespace sonivel {
namespace {

// Position of the first c in text, -1 if there is none.
long FindFirst(std::string_view text, char c)
{
    const auto pos = text.find(c);
    return pos == std::string_view::npos ? -1 : static_cast<long>(pos);
}

// The first count characters; a negative count gives an empty text.
std::string_view Left(std::string_view text, long count)
{
    return count <= 0 ? std::string_view{} : text.substr(0, static_cast<std::size_t>(count));
}

std::string_view Right(std::string_view text, std::size_t count)
{
    return text.size() <= count ? text : text.substr(text.size() - count);
}

SDataFileRead BadFormat()
{
    SDataFileRead result;
    result.status = SDataFileRead::EStatus::BadFormat;
    result.message = kDataFormatWrong;
    return result;
}

// A read error: the message is the reason; ReadDataFile adds the file.
SDataFileRead CannotRead(int err)
{
    SDataFileRead result;
    result.status = SDataFileRead::EStatus::CannotOpen;
    result.message = std::error_code(err, std::generic_category()).message();
    return result;
}

// The level field of a record line by atof's rules. A plain decimal, as the
// writers make it, is read by from_chars, which rounds exactly as strtod
// does; anything else (exponents, hex, inf, blanks after it, out of range)
// goes to AtoF.
double ParseLevel(std::string_view field)
{
    std::size_t at = field.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string_view::npos)
        return 0.0;
    const std::size_t digit = at + (field[at] == '-' ? 1 : 0);
    if (digit < field.size() && field[digit] >= '0' && field[digit] <= '9') {
        double value = 0;
        const char* end = field.data() + field.size();
        const auto [ptr, ec] = std::from_chars(field.data() + at, end, value, std::chars_format::fixed);
        if (ec == std::errc{} && ptr == end)
            return value;
    }
    return AtoF(field);
}

// The fields of a record line (see ParseRecordLine) and where they go.
struct SRecordFields {
    std::string_view time;
    double level;
    std::string_view unit;
};
using FieldsSink = std::function<void(const SRecordFields& fields, double rate)>;

SRecordFields ParseRecordFields(std::string_view line)
{
    // Time: everything before the line's second comma.
    const long p1 = FindFirst(line, ',');
    const std::string_view rest1 = line.substr(static_cast<std::size_t>(p1 + 1));
    const long p2 = FindFirst(rest1, ',');
    const std::string_view time = Left(line, p1 + 1 + p2);

    // Value: between the second and the third comma.
    const std::string_view rest2 = rest1.substr(static_cast<std::size_t>(p2 + 1));
    const long p3 = FindFirst(rest2, ',');
    const double value = ParseLevel(Left(rest2, p3));

    // Unit: the last four characters, less a carriage return and a leading blank.
    std::string_view unit = Right(line, 4);
    if (!unit.empty() && unit.back() == '\r')
        unit.remove_suffix(1);
    if (!unit.empty() && unit.front() == ' ')
        unit.remove_prefix(1);
    return {time, value, unit};
}

SDataFileRead ScanFields(CLineReader& lines, const FieldsSink& onRecord)
{
    SDataFileRead result;
    std::string_view line;
    bool ended = false;
    CLineReader::EStatus status = lines.Next(line, ended);
    if (status == CLineReader::EStatus::Error)
        return CannotRead(errno);
    if (status != CLineReader::EStatus::Line || line.substr(0, kDataFileHeader.size()) != kDataFileHeader)
        return BadFormat();
    const double rate = ParseHeaderRate(line);
    while ((status = lines.Next(line, ended)) == CLineReader::EStatus::Line && !line.empty()) {
        if (!ended && !IsWholeRecordLine(line))
            break;
        onRecord(ParseRecordFields(line), rate);
    }
    if (status == CLineReader::EStatus::TooLong)
        return BadFormat();
    if (status == CLineReader::EStatus::Error)
        return CannotRead(errno);
    return result;
}

// Hands each record of the file to onRecord as a CObjData.
FieldsSink AsRecords(const DataRecordSink& onRecord)
{
    return [&onRecord](const SRecordFields& f, double rate) {
        onRecord(CObjData(f.level, std::string(f.time), std::string(f.unit), 0, rate));
    };
}

// A scan that keeps the records it read, for a result that is Ok. The
// records go into the store straight from the line's fields.
SDataFileRead KeepingRecords(const std::function<SDataFileRead(const FieldsSink&)>& scan)
{
    CRecordStore records;
    SDataFileRead result =
        scan([&records](const SRecordFields& f, double rate) { records.Add(f.level, f.time, f.unit, 0, rate); });
    if (result.status == SDataFileRead::EStatus::Ok)
        result.records = std::move(records);
    return result;
}

// Reads the file at path into onRecord (see ScanDataFile).
SDataFileRead ScanFile(const std::string& path, const FieldsSink& onRecord, IJobProgress& progress);

void AppendLineOf(std::string& out, const SRecordLine& r)
{
    AppendDataRecordLine(out, r.time, r.level, r.kind.unit);
}

} // namespace

std::string FormatDataFile(const CRecordList& records)
{
    std::string out;
    CRecordLines lines(records);
    if (lines.Count() == 0)
        return out;
    out.reserve(40 * (lines.Count() + 1));
    out += FormatDataHeaderLine(lines.At(0).kind.rate);
    for (std::size_t i = 0; i < lines.Count(); ++i)
        AppendLineOf(out, lines.At(i));
    return out;
}

std::string FormatDataFileHeader(double sampleRate)
{
    return Format("DECIVOX DATA LOGGER SamplingRate:%2.1f;", sampleRate);
}

std::string FormatDataHeaderLine(double sampleRate)
{
    std::string line;
    AppendLine(line, FormatDataFileHeader(sampleRate));
    return line;
}

void AppendDataRecordLine(std::string& out, std::string_view time, double level, std::string_view unit)
{
    // "%s, %5.2f, %s" and the line end
    out += time;
    out += ", ";
    AppendFixed2(out, level, 5);
    out += ", ";
    out += unit;
    out += kLineEnd;
}

std::string FormatDataRecordLine(const CObjData& r)
{
    std::string line;
    AppendDataRecordLine(line, r.m_strTime, r.m_dValue, r.m_strUnit);
    return line;
}

SFileResult WriteDataFile(const std::string& path, const CRecordList& records, EPathSource source)
{
    return WriteDataFile(path, records, NoProgress(), source);
}

SFileResult WriteDataFile(const std::string& path, const CRecordList& records, IJobProgress& progress,
                          EPathSource source)
{
    if (records.IsEmpty())
        return {};
    return WriteRecordLines(
        path, FormatDataHeaderLine(records.KindAt(0).rate), records,
        AppendLineOf, progress, source);
}

double ParseHeaderRate(std::string_view header)
{
    const long colon = FindFirst(header, ':');
    const long semicolon = FindFirst(header, ';');
    const long count = semicolon - colon - 1;
    if (count <= 0)
        return 0.0;
    return AtoF(Mid(header, static_cast<std::size_t>(colon + 1), static_cast<std::size_t>(count)));
}

CObjData ParseRecordLine(std::string_view line, double rate)
{
    const SRecordFields f = ParseRecordFields(line);
    return CObjData(f.level, std::string(f.time), std::string(f.unit), 0, rate);
}

bool IsWholeRecordLine(std::string_view line)
{
    const auto commas = std::count(line.begin(), line.end(), ',');
    return commas >= 3 && (line.ends_with(", dBA") || line.ends_with(", dBC"));
}

SDataFileRead ParseDataFile(CLineReader& lines)
{
    return KeepingRecords([&lines](const FieldsSink& sink) { return ScanFields(lines, sink); });
}

SDataFileRead ScanDataFile(CLineReader& lines, const DataRecordSink& onRecord)
{
    return ScanFields(lines, AsRecords(onRecord));
}

SDataFileRead ParseDataFile(std::string_view content)
{
    CLineReader lines(content, kDataFileMaxLine);
    return ParseDataFile(lines);
}

SDataFileRead ParseDataFile(std::istream& in)
{
    CLineReader lines(
        [&in](char* buffer, std::size_t size) {
            in.read(buffer, static_cast<std::streamsize>(size));
            return in.bad() ? -1L : static_cast<long>(in.gcount());
        },
        kDataFileMaxLine);
    return ParseDataFile(lines);
}

SDataFileRead ReadDataFile(const std::string& path)
{
    return ReadDataFile(path, NoProgress());
}

SDataFileRead ReadDataFile(const std::string& path, IJobProgress& progress)
{
    return KeepingRecords([&](const FieldsSink& sink) { return ScanFile(path, sink, progress); });
}

SDataFileRead ScanDataFile(const std::string& path, const DataRecordSink& onRecord)
{
    return ScanDataFile(path, onRecord, NoProgress());
}

bool ScanDataFileNamed(const std::string& path, const DataRecordSink& onRecord, std::string& error)
{
    const SDataFileRead read = ScanDataFile(path, onRecord);
    if (read.status == SDataFileRead::EStatus::Ok)
        return true;
    const bool named = read.message.find(path) != std::string::npos;
    error = named ? read.message : path + ": " + read.message;
    return false;
}

SDataFileRead ScanDataFile(const std::string& path, const DataRecordSink& onRecord, IJobProgress& progress)
{
    return ScanFile(path, AsRecords(onRecord), progress);
}

namespace {

SDataFileRead ScanFile(const std::string& path, const FieldsSink& onRecord, IJobProgress& progress)
{
    int fd = -1;
    const SFileResult opened = OpenRegularFile(path, fd);
    if (!opened.ok) {
        SDataFileRead result;
        result.status = SDataFileRead::EStatus::CannotOpen;
        result.message = opened.message;
        return result;
    }
    struct stat st{};
    progress.SetTotal(::fstat(fd, &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0);
    std::size_t done = 0;
    // A cancel reads as the end of the file; the result is then dropped below.
    CLineReader lines(
        [fd, &progress, &done](char* buffer, std::size_t size) {
            if (progress.Cancelled())
                return 0L;
            const long n = ReadSome(fd, buffer, size);
            if (n > 0)
                progress.SetDone(done += static_cast<std::size_t>(n));
            return n;
        },
        kDataFileMaxLine);
    SDataFileRead result = ScanFields(lines, onRecord);
    ::close(fd);
    if (progress.Cancelled()) {
        result = {};
        result.status = SDataFileRead::EStatus::Cancelled;
        return result;
    }
    if (result.status == SDataFileRead::EStatus::CannotOpen)
        result.message = FileFailure("Cannot read", path, result.message).message;
    return result;
}

} // namespace
} // namespace sonivel
