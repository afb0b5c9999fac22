#pragma once
// What a step that can fail gives back: its value, or a Failure that says which step failed, on
// what, and the system's reason. The words a user reads are made from a Failure only where it is
// shown, in the language shown (text/FaultText.h), so nothing below the windows holds a sentence.
//
// Both the type and every function returning it are [[nodiscard]], and the build turns an
// ignored result into an error: a failure can be handled or passed on, never dropped unseen.

#include <cassert>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace glimmora {

enum class Fault {
  // A step on a file went wrong; `sysErrno` says why, `subject` is the file.
  CannotOpen,
  CannotRead,
  CannotCreate,
  CannotCreateBeside,  // the new file that is to replace `subject`
  CannotWrite,
  CannotCopyRest,      // the part of the old file kept past the new head
  CannotSetMode,
  CannotFlush,
  CannotClose,
  CannotReplace,
  CannotFinishChange,  // the renames that end a change of a library
  CannotLockLibrary,
  // No step named: only the file and the reason ("path: reason").
  OnFile,
  // A library's own files (`subject` is its index file, or their common base name).
  LibraryMissing,
  LibraryShorterThanHeader,
  LibraryImpossibleCount,
  LibraryFewerIcons,
  LibraryDataMissing,
  LibraryChanged,
  LibraryBusy,
  LibraryLockNotFile,
  LibraryDataTooLarge,
  LibraryDataTooLargeKept,  // the same, when a deletion was refused for it
  LibraryFilesExist,
  // An entry of a library, or a count of them: `number` says which or how many.
  LibraryNoSuchIcon,
  LibraryFull,               // `number` more icons fit
  LibraryIconOutsideData,    // an append was refused for it
  LibraryIconOutsideDataKept,  // a deletion was refused for it
  LibraryIconUnreadable,
  // A keyword search: icon `number` of a library could not be read from its data file `subject`
  // (or the library has none), or not be taken out into the work file `subject`.
  SearchIconUnreadable,
  SearchIconNoData,
  SearchIconNotWritten,
};

struct Failure {
  Fault code = Fault::OnFile;
  // errno of the system call that failed, 0 when the fault is the program's own finding. EINVAL
  // from opening a file means it is no regular file (files/RegularFile.h refuses such).
  int sysErrno = 0;
  std::string subject;
  long long number = 0;  // an entry's number or a count, where the sentence names one
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  [[nodiscard]] bool Ok() const { return state_.index() == 0; }
  explicit operator bool() const { return Ok(); }
  T& Value() & {
    assert(Ok());
    return std::get<0>(state_);
  }
  const T& Value() const& {
    assert(Ok());
    return std::get<0>(state_);
  }
  T&& Value() && {
    assert(Ok());
    return std::get<0>(std::move(state_));
  }
  T* operator->() { return &Value(); }
  const T* operator->() const { return &Value(); }
  T& operator*() & { return Value(); }
  const T& operator*() const& { return Value(); }
  const Failure& Error() const {
    assert(!Ok());
    return std::get<1>(state_);
  }

 private:
  std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)) {}

  [[nodiscard]] bool Ok() const { return !failure_.has_value(); }
  explicit operator bool() const { return Ok(); }
  const Failure& Error() const {
    assert(!Ok());
    return *failure_;
  }

 private:
  std::optional<Failure> failure_;
};

inline Failure Fail(Fault code, std::string subject, int sysErrno = 0) {
  return Failure{code, sysErrno, std::move(subject), 0};
}

inline Failure FailAt(Fault code, std::string subject, long long number) {
  return Failure{code, 0, std::move(subject), number};
}

}  // namespace glimmora
