#pragma once
// Fixed texts and small rules of the lesson start-up.
#include "format/file_names.h"
#include "format/lesson_header.h"
#include "format/text.h"
#include "platform/platform.h"

namespace stepwise {

inline constexpr std::u16string_view defaultFolder = u"c:\\qwelrand";
inline constexpr std::u16string_view namePrompt = u"Your full name:  ";
inline constexpr std::u16string_view changeFolderPrompt =
    u"Enter 1 if you want to change the folder to which your files will be written.  The current default "
    u"folder is c:\\qwelrand.  If you wish to use this folder, just hit the Enter key";
inline constexpr std::u16string_view newFolderPrompt =
    u"You have chosen to change the folder to which your files will be written on your hard drive from the "
    u"default c:\\qwelrand.  Enter the path to the folder you wish to use.  You may just hit the Enter key "
    u"to retain the default path.";

// The default text of the response box: two paragraphs joined by CR LF CR LF, 502 characters.
Text defaultResponsePrompt();

// For an empty name, or one of blanks alone, confirmed at the name prompt.
inline constexpr std::u16string_view nameNeededMessage = u"A name is needed to name your files.";

// Whether a name is empty or holds nothing but blanks (spaces, tabs, no-break and other wide spaces).
bool isBlank(const Text& name);

// Why a name cannot be part of a file name (a character no file name can hold), or "" when it can.
Text nameProblem(const Text& name);

// For a name that makes a file name longer than the file system holds.
inline constexpr std::u16string_view nameTooLongMessage =
    u"Your name is too long to be used in the names of your files: the file system holds names of at most "
    u"255 units, and letters other than A to Z may count as two or more.  Please type a shorter form of "
    u"your name.";

// Whether every file name the name makes fits the file system (255 units at most, counted as
// the file system counts them).
bool fileNamesFit(Platform& platform, const Text& name);

}  // namespace stepwise
