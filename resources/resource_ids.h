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

// The main window's children, by the id each is created with.
#define ID_STATUS_BAR 0
#define ID_VERSE_LIST_TAB 1
#define ID_PASSAGE_TAB 2
#define ID_VERSE_LIST_WINDOW 3
#define ID_REFERENCE_LIST 5
#define ID_TOOLBAR 6
#define ID_NOTE_SET_TAB 7
#define ID_NOTES_WINDOW 8
#define ID_NOTES_DISPLAY 9
// Two children share the id 10: the passage window ("READWINDOW"), a child
// of the passage tab control, and the note editor frame ("NOTEEDIT"), a
// child of the main window. Ids need only be unique among one parent's
// children, so the two never meet.
#define ID_PASSAGE_WINDOW 10
#define ID_NOTE_EDITOR_FRAME 10
#define ID_NOTE_EDITOR 13
#define ID_NOTE_SAVE 211
#define ID_NOTE_CANCEL 212
#define ID_NOTE_HELP 213

// Status bar parts.
#define STATUS_PART_SEARCH 0
#define STATUS_PART_LIST_TOP 1
#define STATUS_PART_NOTE 2
#define STATUS_PART_PASSAGE 3
#define STATUS_PART_RANGE 4
#define STATUS_PART_COUNT 5

// Commands: menu items, accelerators, toolbar buttons and context menus.
#define CMD_ABOUT 101
#define CMD_EXIT 102
#define CMD_HELP_TOPICS 103
#define CMD_WORD_SEARCH 105
#define CMD_PHRASE_SEARCH 106
#define CMD_CONTEXT 108
#define CMD_PARAGRAPH_FORMAT 109
#define CMD_ITALICS_ITALIC 110
#define CMD_ITALICS_BRACKETS 111
#define CMD_ITALICS_NORMAL 112
#define CMD_FOCUS_VERSE_LIST 113
#define CMD_FOCUS_PASSAGE 114
#define CMD_GOTO_VERSE 116
#define CMD_PREVIOUS_CHAPTER 119
#define CMD_NEXT_CHAPTER 120
#define CMD_PREVIOUS_BOOK 121
#define CMD_NEXT_BOOK 122
#define CMD_WORD_LIST_SEARCH 123
#define CMD_VIEW_VERSE_LIST 125
#define CMD_VIEW_PASSAGE 126
#define CMD_VIEW_NOTES 127
#define CMD_VIEW_TOOLBAR 128
#define CMD_COPY_VERSE 129
#define CMD_COPY_RANGE 130
#define CMD_COPY_VERSE_LIST 131
#define CMD_COPY_VERSE_REFERENCES 132
#define CMD_SAVE_RANGE 133
#define CMD_SAVE_VERSE_LIST 134
#define CMD_FONT_VERSE_LIST 135
#define CMD_FONT_PASSAGE 137
#define CMD_FONT_NOTES 138
#define CMD_GOTO_BOOKMARK_FIRST 139
#define CMD_GOTO_BOOKMARK_LAST 148
#define CMD_SET_BOOKMARK_FIRST 149
#define CMD_SET_BOOKMARK_LAST 158
#define CMD_FORMAT 159
#define CMD_KEY_HIGHLIGHT_COLOR 160
#define CMD_CUT 161
#define CMD_COPY 162
#define CMD_PASTE 163
#define CMD_CONTEXT_MENU 164
#define CMD_SET_RANGE 165
#define CMD_HELP_RANGE 166
#define CMD_HELP_PREFACE 167
#define CMD_GOTO_NOTE 169
#define CMD_PREVIOUS_NOTE 170
#define CMD_NEXT_NOTE 171
#define CMD_PREVIOUS_NOTE_SET 172
#define CMD_NEXT_NOTE_SET 173
#define CMD_NOTE_FOR_PASSAGE 174
#define CMD_NOTE_FOR_VERSE_LIST 175
#define CMD_EDIT_NOTE 176
#define CMD_SEARCH_NOTES 177
#define CMD_CREATE_NOTE_SET 178
#define CMD_DELETE_NOTE_SET 179
#define CMD_RENAME_NOTE_SET 180
#define CMD_VERSE_FOR_NOTE 181
#define CMD_TODAYS_PROVERB 182
#define CMD_BIND_NOTES 183
#define CMD_PAGE_SETUP 184
#define CMD_PRINT_RANGE 185
#define CMD_PRINT_VERSE_LIST 186
#define CMD_DELETE_FROM_LIST 187
#define CMD_WORD_SEARCH_SELECTED 188
#define CMD_PHRASE_SEARCH_SELECTED 189
#define CMD_SEARCH_NOTES_SELECTED 190
#define CMD_SINGLE_FIRST 101
#define CMD_SINGLE_LAST 190
#define CMD_GOTO_BOOK_FIRST 1001
#define CMD_GOTO_BOOK_LAST 1066

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

// Labels and icons of the templates, which nothing addresses (the headers
// of the resource compiler give it the same value).
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

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
