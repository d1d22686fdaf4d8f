#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/System.h"

namespace config {

// The data file's two places: beside the program, where it has always been
// and which stays the first choice, and the user's own settings folder for
// when the program's folder cannot be written.
struct DataFilePlaces {
    std::wstring program;  // empty when no usable path beside the program
    std::wstring user;     // empty when the user's folder is unknown
};

// What the choice of place asks of the file system; tests give a fake one.
class PlaceFileSystem {
public:
    virtual ~PlaceFileSystem() = default;
    // Anything at path: a file, or a folder in its way.
    virtual bool Exists(const std::wstring& path) const = 0;
    // True when the folder exists afterwards.
    virtual bool MakeFolder(const std::wstring& folder, std::uint32_t& error) = 0;
    // Never replaces an existing file.
    virtual bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error) = 0;
};

// The real file system.
PlaceFileSystem& SystemFileSystem();

struct ReadChoice {
    std::wstring path;   // the file to read; empty when neither place has one
    const wchar_t* why;  // the reason, for the log
};

// The per-user file wins when it exists (it is there only because the
// program's folder could not be written), else the program folder's.
ReadChoice ChooseFileToRead(const DataFilePlaces& places, const PlaceFileSystem& fs);

// Why a data file that exists could not be read completely.
enum class ReadFailure { none, not_a_file, not_opened, stream_error, too_short, bad_id };

// A data file whose read failed or broke off. Its bytes are kept under a
// name of their own before anything overwrites it.
struct UnreadFile {
    std::wstring path;  // empty when the last read had nothing to complain of
    ReadFailure failure = ReadFailure::none;
    std::wstring copy;  // where its bytes were kept, once they are
};

// "<folder>Tessel.damaged-YYYYMMDD-HHMMSS.dat", with "-<n>" before the
// extension from the second attempt on.
std::wstring DamagedCopyPath(const std::wstring& data_file, const platform::LocalTime& when, int attempt);

// Copies the unread file's bytes beside it, under a damaged-copy name that no
// file has yet (so no later damage overwrites an earlier copy), and logs both
// names. Does nothing once a copy exists. A folder in the file's place is
// not copied: false, and the log says what is in the way.
bool KeepUnreadFile(UnreadFile& file, PlaceFileSystem& fs, const platform::LocalTime& now, std::uint32_t& error);

struct WriteFailure {
    std::wstring path;
    std::uint32_t error;  // the system's code
};

// Writes the data file with `store` into the first place that takes it:
// the per-user file when it exists (reads take it first), otherwise the
// program folder's and then the per-user one, whose folder is made first.
// A file whose read failed is kept (KeepUnreadFile) before it is replaced;
// when that is impossible the place is passed over. Returns the path
// written, or empty with the failures of every place tried.
using StoreFunction = std::function<bool(const std::wstring& path, std::uint32_t& error)>;
std::wstring StoreInPlaces(const DataFilePlaces& places, PlaceFileSystem& fs, UnreadFile& unread,
                           const platform::LocalTime& now, const StoreFunction& store,
                           std::vector<WriteFailure>& failures);

// The data file's full path in a folder (which ends with its separator), or
// empty when it would not fit the platform's path limit of 260 UTF-16 units
// with its terminator; the refusal is logged.
std::wstring DataFilePathIn(const std::wstring& folder);

} // namespace config
