// The laboratory's messages as ids with their arguments, and the one
// catalogue of their texts. A procedure reports what happened as a Message;
// the front end shows its text in the user's language (title "Lumet").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/local_text.h"

namespace lumet {

enum class Msg : uint16_t {
  Text,    // a text of its own: a name, a number, a path
  Quoted,  // {0} in quotes, «{0}»
  Either,  // {0} in Russian, {1} in English: a text of the tables (see either())

  // The laboratory's messages.
  BadData,
  SolveError,
  ZeroAtInfinity,
  FlatYn,
  XnXk,
  FlatConst,
  Mass3,
  Scales,
  CycloidYn,
  CycloidNotFound,
  CycloidBent,
  CycloidFinest,
  CycloidCoarsest,
  ParabolaYk,
  ParabolaX30,
  ArcYk,
  ArcX40,
  PreviewScale,
  PreviewError,
  LightContinue,
  LightAbscissa,
  LightError,
  StartFirst,
  // A write of the run that failed: the file and the reason.
  WriteFailed,

  // Why a parameter's text is not usable.
  NotANumber,
  NotInt16,
  ZeroNotAllowed,
  TooSmall,
  PowerTooLarge,

  // Why a file could not be read or written.
  NoSuchFile,
  NoPermission,
  IsFolder,
  DiskFull,
  QuotaExceeded,
  ReadOnlyDisk,
  FileTooLarge,
  NameTooLong,
  FileInPath,
  LinkLoop,
  FileExists,
  FileBusy,
  ProgramBusy,
  TooManyOpenHere,
  TooManyOpen,
  NoReader,
  TryAgain,
  NotRegularFile,
  IoError,
  InvalidArgument,
  NoMemory,
  OtherDisk,
  NoDevice,
  BadDescriptor,
  Interrupted,
  StaleFile,
  TooManyLinks,
  ValueTooLarge,
  ErrorCode,

  // Set-up files: the refusal, and its problem.
  SetupRefused,
  SetupTooBig,
  SetupEmpty,
  SetupTooDeep,
  SetupKeyTwice,
  SetupTruncated,
  SetupNotJson,
  SetupNumberTooLarge,
  SetupNotObject,
  SetupNoFormat,
  SetupFormatNotText,
  SetupOtherFormat,
  SetupNoVersion,
  SetupVersionNotInteger,
  SetupNewer,
  SetupBadVersion,
  SetupNotText,
  SetupTextTooLong,
  SetupTwoButtons,
  SetupNoButton,
  SetupControlsNotObject,
  SetupUnknownControl,
  SetupNotInput,
  SetupNotOnOff,
  SetupKDfiNotPositive,
  SetupKDfiTooLarge,
  SetupKDfiTooSmall,
  SetupNotLanguage,
  SetupUnknownKey,
  SetupParametersNotObject,
  SetupUnknownParameter,
  SetupNotChoice,
  SetupControlDescribed,

  // The window's files.
  SaveFailed,
  ReplaceFile,
  WhatSetup,
  WhatPicture,
  WhatResults,
  PictureNotEncoded,

  // A series of experiments: what is wrong with its inputs.
  SeriesNoParameter,
  SeriesBound,
  SeriesCount,
  SeriesLogBound,
  SeriesLimit,
  SeriesRefused,
  WhatSeriesTable,
  WhatSeriesGraph,

  // The form's own words, which name no parameter or value: the lower
  // picture's axes, the frame of the trajectories.
  FormCentimetres,
  FormTimeAxis,
  FormTrajectories,
  // The word "language", a language's own name and what choosing it does,
  // in each language.
  Language,
  LanguageName,
  LanguageTip,
  Count
};

// A message: its id and the arguments its text takes as {0}, {1}, ...; each
// argument is a message in turn, so that it is shown in the same language.
struct Message {
  Msg id = Msg::Text;
  std::string text;           // Msg::Text: the text itself
  std::vector<Message> args;  // the arguments of the others

  Message() = default;
  Message(Msg id) : id(id) {}  // NOLINT: a message without arguments
  explicit Message(std::string t) : text(std::move(t)) {}
  explicit Message(const char* t) : text(t) {}
  template <class... Args>
  Message(Msg id, Args&&... a) : id(id), args{Message(std::forward<Args>(a))...} {}

  bool operator==(const Message&) const = default;
};

// A name from a file or a script in quotes: at most `limit` characters,
// control characters as '?'.
Message inQuotes(std::string_view s, size_t limit = 40);

// A text of the tables (a caption, say) as a message, shown in the language
// of the message around it.
Message either(const Words& words);

// The message whose English text is exactly this one, as the form's layout
// names its own words.
std::optional<Msg> messageByEnglish(std::string_view text);

// The message's text in the language.
std::string textOf(const Message& m, Language language = Language::ru);

}  // namespace lumet
