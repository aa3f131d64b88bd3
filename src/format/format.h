#pragma once
// src/format: the formats of the files the student program writes and the instructor's program
// reads, with nothing of the system, the lesson or the window in them.
//   text.h              Text (UTF-16) and its helpers
//   cp1252.h            Windows-1252 with character references, the files' encoding
//   utf8.h              UTF-8, the reports' and the file names' encoding
//   numbers.h           numbers written and read whatever the locale
//   stamps.h            the time and date forms
//   lesson_header.h     the five lines that open each run of the program
//   record_pieces.h     the response and notes records
//   file_names.h        the names of the three output files
//   markers.h, builtin_assignment.h   the lesson script's markers and the built-in assignment
//
// How this layer reports failures: it does not throw, reads and writes no file, and leaves the
// locale aside. Writing cannot fail: every text has a form in every format (a character that
// Windows-1252 lacks becomes a reference). Reading says what it could not read in what it returns:
// std::optional where the only answer is "not in this form" (parseNumber), a value with the first
// fault and its byte offset where the caller may still go on with what was read (decodeUtf8). What
// the lesson's own rules read leniently (numericValue, decodeCp1252WithReferences) is documented
// as such and is no failure.
