// Every resource name, command number and control id of the program, shared
// by the resource script and the C++ code.
#pragma once

// Resource names.
#define RES_MENU "Menu"
#define RES_ACCELERATORS "Accels"
#define RES_BIG_ICON "Big_Icon"
#define RES_SPLASH_DIALOG "SplashScreen"
#define RES_TITLE_BITMAP "TitleBitmap"
#define IDB_TOOLBAR 200

// Window classes.
#define CLASS_MAIN "Kelvane95"
#define CLASS_PASSAGE "READWINDOW"
#define CLASS_VERSE_LIST "VERSELIST"
#define CLASS_NOTES "NOTEWND"
#define CLASS_NOTE_EDITOR "NOTEEDIT"

// Commands.
#define CMD_EXIT 102

// Dialog templates and their controls.
//
// Template names as the dialogs are opened by name. Resource names are
// looked up without regard to case, so "CREATENOTESET" and "CreateNoteSet"
// name the same template.
#define IDD_GOTO_VERSE "GotoVerse"
#define IDD_SET_RANGE "SetRange"
#define IDD_WORD_SEARCH "WordSearch"
#define IDD_WORD_LIST_SEARCH "WordListSearch"
#define IDD_PHRASE_SEARCH "PhraseSearch"
#define IDD_CREATE_NOTE_SET "CreateNoteSet"
#define IDD_RENAME_NOTE_SET "RenameNoteSet"
#define IDD_GOTO_NOTE "GotoNote"
#define IDD_SEARCH_NOTES "SearchNotes"
#define IDD_SEARCH_PROGRESS "SEARCHPROGRESS"
#define IDD_FORMAT "Format"
#define IDD_SAVE_RANGE "SaveRange"
#define IDD_COPY_VERSE "CopyVerse"
#define IDD_COPY_RANGE "CopyRange"
#define IDD_PRINT_RANGE "PrintRange"
#define IDD_ABORT "ABORTDLG"
#define IDD_ABOUT "About"

// The buttons every dialog shares: OK and Cancel keep the system's IDOK 1
// and IDCANCEL 2, so Enter and Esc reach them.
#define IDC_HELP_BUTTON 9

// GotoVerse, GotoNote, CopyVerse.
#define IDC_GOTO_REFERENCE 10
#define IDC_GOTO_NOTE_REFERENCE 10
#define IDC_COPY_VERSE_REFERENCE 20

// SetRange.
#define IDC_RANGE_TEXT 20
#define IDC_RANGE_OLD_TESTAMENT 101
#define IDC_RANGE_NEW_TESTAMENT 102
#define IDC_RANGE_ENTIRE 103

// WordSearch, WordListSearch, PhraseSearch ("Find verses with" 11..13
// "of these words"; PhraseSearch has only the combo box, 14 and the buttons).
#define IDC_SEARCH_TEXT 10
#define IDC_SEARCH_ALL 11
#define IDC_SEARCH_AT_LEAST_ONE 12
#define IDC_SEARCH_ONLY_ONE 13
#define IDC_SEARCH_CASE_SENSITIVE 14
#define IDC_SEARCH_SUBSTRING 15
#define IDC_SEARCH_ADD_WORD 18
#define IDC_SEARCH_WORD_LIST 19
#define IDC_SEARCH_RANGE 20

// CreateNoteSet, RenameNoteSet.
#define IDC_NOTE_SET_NAME 10

// SearchNotes: "Find First" is IDOK.
#define IDC_NOTE_SEARCH_FIND_FIRST 1
#define IDC_NOTE_SEARCH_CASE_SENSITIVE 14
#define IDC_NOTE_SEARCH_SUBSTRING 15
#define IDC_NOTE_SEARCH_RANGE 20
#define IDC_NOTE_SEARCH_FIND_NEXT 101
#define IDC_NOTE_SEARCH_TEXT 102

// SEARCHPROGRESS.
#define IDC_SEARCH_PROGRESS_BAR 101

// Format: radios 10..12 label the first verse, 13..15 the later verses,
// 16..17 place the label.
#define IDC_FORMAT_FIRST_FULL 10
#define IDC_FORMAT_FIRST_PARTIAL 11
#define IDC_FORMAT_FIRST_NONE 12
#define IDC_FORMAT_LATER_FULL 13
#define IDC_FORMAT_LATER_PARTIAL 14
#define IDC_FORMAT_LATER_NONE 15
#define IDC_FORMAT_BEFORE_VERSE 16
#define IDC_FORMAT_AFTER_VERSE 17
#define IDC_FORMAT_LINE_BREAKS 18
#define IDC_FORMAT_PARAGRAPH_MARKS 19
#define IDC_FORMAT_LABELS_GROUP 102

// CopyVerse, CopyRange, SaveRange, PrintRange.
#define IDC_OUTPUT_FORMAT 10
#define IDC_OUTPUT_INCLUDE_NOTES 11
#define IDC_OUTPUT_NOTE_SET 12
#define IDC_OUTPUT_RANGE 20

// ABORTDLG: its one button; any command from it stops the print job.
#define IDC_ABORT_CANCEL 110

// SplashScreen: the title bitmap.
#define IDC_SPLASH_TITLE 100
