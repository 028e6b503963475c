// The shared numbers of the program: windows, gadgets of the main window,
// menus and menu items, keyboard shortcuts, timers, fonts and images.
// A gadget or menu-item number names one object in the whole program, so
// every window that addresses a main-window object uses these names. Which
// numbers each window may use is declared in kit/id_blocks.h; a window's
// own gadgets are named in its own header.
// Event types, subtypes, keys and message-box flags are the GUI layer's
// (gui/gui.h).
#pragma once

#include <cstdint>

// ---- Windows ----------------------------------------------------------------
constexpr int MAIN_WINDOW = 0;
constexpr int PREFERENCES_WINDOW = 323;
constexpr int ABOUT_WINDOW = 382;
constexpr int ENTRY_EDITOR_WINDOW = 428;     // word, synonym and autocorrect editors
constexpr int FIND_WINDOW = 412;
constexpr int GOTO_WINDOW = 498;
constexpr int DUPLICATES_WINDOW = 523;       // duplicates lists (word list, thesaurus, autocorrect)
constexpr int STATISTICS_WINDOW = 534;
constexpr int STATISTICS_WORDS_WINDOW = 561;
constexpr int CLEAN_SYMBOLS_WINDOW = 571;
constexpr int DICTIONARY_DUPLICATES_WINDOW = 577;
constexpr int GBZA_VARIANT_WINDOW = 602;
constexpr int MASTER_WORDLIST_WINDOW = 637;
constexpr int UPDATE_WINDOW = 689;
constexpr int POSSESSIVE_NAMES_WINDOW = 707;
constexpr int BULK_IMPORT_WINDOW = 727;
constexpr int AFF_VALIDATE_WINDOW = 752;
constexpr int AFF_VALIDATE_LINE_DIALOG = 779;  // numbered inside window 752's block
constexpr int AC_VALIDATE_WINDOW = 786;
constexpr int POS_SETTINGS_WINDOW = 799;
constexpr int POS_RULE_WINDOW = 824;
constexpr int CRUNCH_WINDOW = 833;
constexpr int POSTAG_SEARCH_WINDOW = 870;
constexpr int PROPER_NAMES_WINDOW = 880;
constexpr int SCREEN_MEASURE_WINDOW = 3000;

// ---- Window flags used by the program ------------------------------------------
constexpr int MAIN_WINDOW_FLAGS = 38;        // sizeable, system menu, minimize box
constexpr int TOOL_WINDOW_FLAGS = 256;       // centred on window 0
constexpr int HIDDEN_TOOL_WINDOW_FLAGS = 257;

// ---- Timers ---------------------------------------------------------------------
constexpr int LONG_JOB_TIMER = 800;          // every 800 ms while a long job runs
constexpr int LONG_JOB_TIMER_MS = 800;
constexpr int AFF_VALIDATE_TIMER = 900;      // every 900 ms on window 752
constexpr int AFF_VALIDATE_TIMER_MS = 900;

// ---- Fonts ----------------------------------------------------------------------
constexpr int FONT_ARIAL = 1;                // "Arial" 10, the default of gadgets
constexpr int FONT_ARIAL_BOLD = 2;           // "Arial" 10 bold
constexpr int FONT_LANGUAGE = 1001;          // the user's font for the language's words

// ---- Colours (red + green * 256 + blue * 65536) ----------------------------------------------
constexpr int64_t COLOUR_DEFAULT = -1;
constexpr int64_t COLOUR_RED = 255;
constexpr int64_t COLOUR_LINK = 0xFF0000;    // text colour of hyperlinks (blue)
constexpr int64_t COLOUR_LINE_NUMBER_BACKGROUND = 14670554;  // 0xdfdada
constexpr int64_t COLOUR_TOOLBAR_BACKGROUND = 14670554;
constexpr int64_t COLOUR_FLAG_ONLY_ENTRY = 969215;           // 0x0ec9ff, words starting with "/"
constexpr int64_t COLOUR_INVALID_FIELD = 255;
constexpr int64_t COLOUR_ZERO_DISABLES_FIELD = 16772038;     // light blue

// ---- Main window: footer, menu bar, tab panel, status bar ---------------------------------------
constexpr int FOOTER_CONTAINER = 1;
constexpr int FOOTER_CREDIT_LABEL = 2;
constexpr int FOOTER_SPACER_LABEL = 3;
constexpr int FOOTER_LICENCE_LINK = 4;
constexpr int FOOTER_END_LABEL = 5;
constexpr int MAIN_MENU = 6;
constexpr int TOOLBAR_CONTAINER = 95;
constexpr int TOOLBAR_OPEN = 96;
constexpr int TOOLBAR_OPEN_REFRESH = 97;
constexpr int TOOLBAR_SAVE = 98;
constexpr int TOOLBAR_SAVE_AS = 99;
constexpr int MAIN_TAB_PANEL = 100;
constexpr int MAIN_STATUS_BAR = 101;
constexpr int STATUS_FIELD_TEXT = 0;
constexpr int STATUS_FIELD_PROGRESS = 1;
constexpr int STATUS_TEXT_FIELD_WIDTH = 525;

// Tabs of panel 100.
constexpr int TAB_DICTIONARY = 0;
constexpr int TAB_THESAURUS = 1;
constexpr int TAB_HYPHENATION = 2;
constexpr int TAB_AUTOCORRECT = 3;
constexpr int TAB_AUTOTEXT = 4;
constexpr int TAB_LANGUAGETOOL = 5;
constexpr int TAB_COUNT = 6;

// The button row of a list tab: position k (1..15) is gadget first + k - 1.
constexpr int LIST_ROW_BUTTONS = 15;
constexpr int ROW_ADD = 1, ROW_EDIT = 2, ROW_SELECT_ALL = 3, ROW_SELECT_NONE = 4,
              ROW_INVERT = 5, ROW_DELETE_SELECTED = 6, ROW_DELETE_CURRENT = 7,
              ROW_ERASE = 8, ROW_SORT = 9, ROW_FIND = 10, ROW_GOTO = 11, ROW_UNDO = 12,
              ROW_REDO = 13, ROW_GO_BOTTOM = 14, ROW_GO_TOP = 15;

// ---- Tab 0: Dictionary -----------------------------------------------------------------------------------
constexpr int DICTIONARY_LIST = 124;
constexpr int DICTIONARY_SCROLL = 125;
constexpr int AFF_EDITOR = 126;
constexpr int DICTIONARY_FIRST_ROW_BUTTON = 127;
constexpr int DICTIONARY_ADD = 127;
constexpr int DICTIONARY_EDIT = 128;
constexpr int DICTIONARY_SELECT_ALL = 129;
constexpr int DICTIONARY_SELECT_NONE = 130;
constexpr int DICTIONARY_INVERT = 131;
constexpr int DICTIONARY_DELETE_SELECTED = 132;
constexpr int DICTIONARY_DELETE_CURRENT = 133;
constexpr int DICTIONARY_ERASE = 134;
constexpr int DICTIONARY_SORT = 135;
constexpr int DICTIONARY_FIND = 136;
constexpr int DICTIONARY_GOTO = 137;
constexpr int DICTIONARY_UNDO = 138;
constexpr int DICTIONARY_REDO = 139;
constexpr int DICTIONARY_GO_BOTTOM = 140;
constexpr int DICTIONARY_GO_TOP = 141;
constexpr int AFF_CLEAR = 142;
constexpr int AFF_GO_BOTTOM = 143;
constexpr int AFF_GO_TOP = 144;
constexpr int DICTIONARY_STATUS_LABEL = 145;
constexpr int DICTIONARY_CHANGED_MARK = 146;
constexpr int DICTIONARY_FILE_IMAGE = 147;
constexpr int DICTIONARY_FILE_LABEL = 148;
constexpr int DICTIONARY_FOLDER_IMAGE = 149;
constexpr int DICTIONARY_FOLDER_LABEL = 150;
constexpr int DICTIONARY_EXTENSION_IMAGE = 151;
constexpr int DICTIONARY_SELECTED_LABEL = 152;

// ---- Tab 1: Thesaurus ----------------------------------------------------------------------------------------
constexpr int THESAURUS_LIST = 160;
constexpr int THESAURUS_SCROLL = 161;
constexpr int THESAURUS_FIRST_ROW_BUTTON = 162;
constexpr int THESAURUS_ADD = 162;
constexpr int THESAURUS_EDIT = 163;
constexpr int THESAURUS_SELECT_ALL = 164;
constexpr int THESAURUS_SELECT_NONE = 165;
constexpr int THESAURUS_INVERT = 166;
constexpr int THESAURUS_DELETE_SELECTED = 167;
constexpr int THESAURUS_DELETE_CURRENT = 168;
constexpr int THESAURUS_ERASE = 169;
constexpr int THESAURUS_SORT = 170;
constexpr int THESAURUS_FIND = 171;
constexpr int THESAURUS_GOTO = 172;
constexpr int THESAURUS_UNDO = 173;
constexpr int THESAURUS_REDO = 174;
constexpr int THESAURUS_GO_BOTTOM = 175;
constexpr int THESAURUS_GO_TOP = 176;
constexpr int THESAURUS_STATUS_LABEL = 177;
constexpr int THESAURUS_CHANGED_MARK = 178;
constexpr int THESAURUS_FILE_IMAGE = 179;
constexpr int THESAURUS_FILE_LABEL = 180;
constexpr int THESAURUS_FOLDER_IMAGE = 181;
constexpr int THESAURUS_FOLDER_LABEL = 182;
constexpr int THESAURUS_EXTENSION_IMAGE = 183;
constexpr int THESAURUS_SELECTED_LABEL = 184;
constexpr int THESAURUS_MEANING_COLUMNS = 100;

// ---- Tab 2: Hyphenation ----------------------------------------------------------------------------------------
constexpr int HYPHENATION_LIST = 185;        // the dictionary's words
constexpr int HYPHENATION_SCROLL = 186;
constexpr int HYPHENATION_EDITOR = 187;      // the pattern file text
constexpr int HYPHENATION_RESULTS = 188;
constexpr int HYPHENATION_WORD_LABEL = 189;
constexpr int HYPHENATION_WORD_FIELD = 190;
constexpr int HYPHENATION_HYPHENATE = 191;
constexpr int HYPHENATION_UPDATE = 192;
constexpr int HYPHENATION_FIND = 193;
constexpr int HYPHENATION_GOTO = 194;
constexpr int HYPHENATION_GO_BOTTOM = 195;
constexpr int HYPHENATION_GO_TOP = 196;
constexpr int HYPHENATION_EDITOR_GO_BOTTOM = 197;
constexpr int HYPHENATION_EDITOR_GO_TOP = 198;
constexpr int HYPHENATION_CLEAR = 199;
constexpr int HYPHENATION_STATUS_LABEL = 200;
constexpr int HYPHENATION_CHANGED_MARK = 201;
constexpr int HYPHENATION_FILE_IMAGE = 202;
constexpr int HYPHENATION_FILE_LABEL = 203;
constexpr int HYPHENATION_FOLDER_IMAGE = 204;
constexpr int HYPHENATION_FOLDER_LABEL = 205;
constexpr int HYPHENATION_EXTENSION_IMAGE = 206;
constexpr int HYPHENATION_SELECTED_LABEL = 207;
constexpr int HYPHENATION_COUNT_LABEL = 208;
constexpr int HYPHENATION_PRIMARY_LABEL = 209;
constexpr int HYPHENATION_PRIMARY_IMAGE = 210;
constexpr int HYPHENATION_BOTH_LABEL = 211;
constexpr int HYPHENATION_BOTH_IMAGE = 212;
constexpr int HYPHENATION_SUFFIX_LABEL = 213;
constexpr int HYPHENATION_SUFFIX_IMAGE = 214;
constexpr int HYPHENATION_PREFIX_LABEL = 215;
constexpr int HYPHENATION_PREFIX_IMAGE = 216;

// ---- Tab 3: Autocorrect ------------------------------------------------------------------------------------------
constexpr int AUTOCORRECT_LIST = 221;
constexpr int AUTOCORRECT_SCROLL = 222;
constexpr int AUTOCORRECT_FIRST_ROW_BUTTON = 223;
constexpr int AUTOCORRECT_ADD = 223;
constexpr int AUTOCORRECT_EDIT = 224;
constexpr int AUTOCORRECT_SELECT_ALL = 225;
constexpr int AUTOCORRECT_SELECT_NONE = 226;
constexpr int AUTOCORRECT_INVERT = 227;
constexpr int AUTOCORRECT_DELETE_SELECTED = 228;
constexpr int AUTOCORRECT_DELETE_CURRENT = 229;
constexpr int AUTOCORRECT_ERASE = 230;
constexpr int AUTOCORRECT_SORT = 231;
constexpr int AUTOCORRECT_FIND = 232;
constexpr int AUTOCORRECT_GOTO = 233;
constexpr int AUTOCORRECT_UNDO = 234;
constexpr int AUTOCORRECT_REDO = 235;
constexpr int AUTOCORRECT_GO_BOTTOM = 236;
constexpr int AUTOCORRECT_GO_TOP = 237;
constexpr int AUTOCORRECT_STATUS_LABEL = 238;
constexpr int AUTOCORRECT_CHANGED_MARK = 239;
constexpr int AUTOCORRECT_FILE_IMAGE = 240;
constexpr int AUTOCORRECT_FILE_LABEL = 241;
constexpr int AUTOCORRECT_FOLDER_IMAGE = 242;
constexpr int AUTOCORRECT_FOLDER_LABEL = 243;
constexpr int AUTOCORRECT_SELECTED_LABEL = 244;

// ---- Tab 4: AutoText (read only) ----------------------------------------------------------------------------------
constexpr int AUTOTEXT_LIST = 245;
constexpr int AUTOTEXT_SCROLL = 246;
constexpr int AUTOTEXT_VIEW = 247;
constexpr int AUTOTEXT_FIRST_ROW_BUTTON = 248;
constexpr int AUTOTEXT_READ_ONLY_IMAGE = 263;
constexpr int AUTOTEXT_STATUS_LABEL = 264;
constexpr int AUTOTEXT_CHANGED_MARK = 265;
constexpr int AUTOTEXT_FILE_IMAGE = 266;
constexpr int AUTOTEXT_FILE_LABEL = 267;
constexpr int AUTOTEXT_FOLDER_IMAGE = 268;
constexpr int AUTOTEXT_FOLDER_LABEL = 269;
constexpr int AUTOTEXT_EXTENSION_IMAGE = 270;
constexpr int AUTOTEXT_SELECTED_LABEL = 271;
constexpr int AUTOTEXT_RULE1_CAPTION = 272;
constexpr int AUTOTEXT_RULE1_IMAGE = 273;
constexpr int AUTOTEXT_RULE1_LABEL = 274;    // ":" + abbreviated name
constexpr int AUTOTEXT_RULE2_CAPTION = 275;
constexpr int AUTOTEXT_RULE2_IMAGE = 276;
constexpr int AUTOTEXT_RULE2_LABEL = 277;    // ":" + name
constexpr int AUTOTEXT_CANCEL = 278;
constexpr int AUTOTEXT_OK = 279;
constexpr int AUTOTEXT_EDIT_VIEW = 280;
constexpr int AUTOTEXT_VIEW_CLEAR = 281;
constexpr int AUTOTEXT_VIEW_GO_BOTTOM = 282;
constexpr int AUTOTEXT_VIEW_GO_TOP = 283;

// ---- Tab 5: LanguageTool (read only) --------------------------------------------------------------------------------
constexpr int GRAMMAR_LIST = 284;
constexpr int GRAMMAR_SCROLL = 285;
constexpr int GRAMMAR_VIEW = 286;
constexpr int GRAMMAR_CATEGORY_LIST = 287;
constexpr int GRAMMAR_FIRST_ROW_BUTTON = 288;
constexpr int GRAMMAR_READ_ONLY_IMAGE = 303;
constexpr int GRAMMAR_STATUS_LABEL = 304;
constexpr int GRAMMAR_CHANGED_MARK = 305;
constexpr int GRAMMAR_FILE_IMAGE = 306;
constexpr int GRAMMAR_FILE_LABEL = 307;
constexpr int GRAMMAR_FOLDER_IMAGE = 308;
constexpr int GRAMMAR_FOLDER_LABEL = 309;
constexpr int GRAMMAR_SELECTED_LABEL = 310;
constexpr int GRAMMAR_RULE1_LABEL = 311;     // ":" + item id
constexpr int GRAMMAR_RULE1_CAPTION = 312;
constexpr int GRAMMAR_RULE1_IMAGE = 313;
constexpr int GRAMMAR_RULE2_CAPTION = 314;
constexpr int GRAMMAR_RULE2_IMAGE = 315;
constexpr int GRAMMAR_RULE2_LABEL = 316;     // ":" + item name
constexpr int GRAMMAR_CANCEL = 317;
constexpr int GRAMMAR_OK = 318;
constexpr int GRAMMAR_EDIT_VIEW = 319;
constexpr int GRAMMAR_VIEW_CLEAR = 320;
constexpr int GRAMMAR_VIEW_GO_BOTTOM = 321;
constexpr int GRAMMAR_VIEW_GO_TOP = 322;

// ---- Popup menus ----------------------------------------------------------------------------------------------------
constexpr int POPUP_LIST_MENU = 502;         // lists 124, 160, 221
constexpr int POPUP_EDIT = 503;
constexpr int POPUP_CLONE = 504;
constexpr int POPUP_EXTRACT_PFX = 505;       // always disabled
constexpr int POPUP_EXTRACT_ALL = 506;       // always disabled
constexpr int POPUP_ADD = 507;
constexpr int POPUP_SELECT_ALL = 508;
constexpr int POPUP_SELECT_NONE = 509;
constexpr int POPUP_INVERT = 510;
constexpr int POPUP_DELETE_SELECTED = 511;
constexpr int POPUP_DELETE_CURRENT = 512;
constexpr int POPUP_HYPHENATION_MENU = 217;  // results list 188
constexpr int POPUP_COPY_WORD = 218;
constexpr int POPUP_COPY_RULE = 219;
constexpr int POPUP_COPY_WORD_AND_RULE = 220;

// ---- Menu items of menu bar 6 -------------------------------------------------------------------------------------------
constexpr int MENU_OPEN = 8;
constexpr int MENU_SAVE = 9;
constexpr int MENU_SAVE_AS = 10;
constexpr int MENU_IMPORT_PROFILE = 11;
constexpr int MENU_EXPORT_PROFILE = 12;
constexpr int MENU_OPEN_EXTENSION = 13;
constexpr int MENU_SAVE_EXTENSION = 14;      // never enabled
constexpr int MENU_SAVE_EXTENSION_AS = 15;   // never enabled
constexpr int MENU_EXIT = 16;
constexpr int MENU_AFF_VALIDATE = 18;
constexpr int MENU_DICTIONARY_BULK_IMPORT = 19;
constexpr int MENU_IMPORT_POSSESSIVES = 20;
constexpr int MENU_PROPER_NAMES = 21;
constexpr int MENU_GBZA_VARIANTS = 22;
constexpr int MENU_EXTRACT_ALL_TXT = 24;
constexpr int MENU_EXTRACT_ALL_CSV = 25;
constexpr int MENU_EXTRACT_UPPERCASE_TXT = 26;
constexpr int MENU_EXTRACT_COMPOUNDS_TXT = 27;
constexpr int MENU_EXTRACT_COMPOUNDS_LT = 28;
constexpr int MENU_EXTRACT_BY_TAGS = 29;
constexpr int MENU_DICTIONARY_DUPLICATES = 30;
constexpr int MENU_WORDLIST_DUPLICATES = 31;
constexpr int MENU_STATISTICS = 32;
constexpr int MENU_SORT_FLAGS = 33;
constexpr int MENU_REDUNDANT_FLAGS = 34;
constexpr int MENU_SORT_AFF_TAGS = 35;
constexpr int MENU_REMOVE_COMMENTS = 36;
constexpr int MENU_UNPFX_ALL = 37;
constexpr int MENU_UNPFX_SPECIFIC = 38;
constexpr int MENU_CRUNCH = 39;
constexpr int MENU_DICTIONARY_FIX_SPACES = 40;
constexpr int MENU_THESAURUS_VALIDATE = 43;
constexpr int MENU_THESAURUS_BULK_IMPORT = 44;
constexpr int MENU_EXTRACT_SYNONYMS_TXT = 45;
constexpr int MENU_EXTRACT_SYNONYMS_BOOK = 46;
constexpr int MENU_COMBINE_MEANINGS = 47;
constexpr int MENU_THESAURUS_DUPLICATES = 48;
constexpr int MENU_CLEAN_SYMBOLS = 49;
constexpr int MENU_THESAURUS_FIX_SPACES = 50;
constexpr int MENU_SORT_MEANINGS = 51;
constexpr int MENU_DEDUPLICATE_MEANINGS = 52;
constexpr int MENU_SORT_ON_NUMBERS = 53;
constexpr int MENU_PREVIEW_THESAURUS = 54;
constexpr int MENU_HYP_VALIDATE = 57;
constexpr int MENU_HYPHENATION_FIX_SPACES = 58;
constexpr int MENU_AC_VALIDATE = 61;
constexpr int MENU_AUTOCORRECT_BULK_IMPORT = 62;
constexpr int MENU_EXTRACT_AUTOCORRECTS = 63;
constexpr int MENU_CLEAN_HEX_SYMBOLS = 64;
constexpr int MENU_AUTOCORRECT_DUPLICATES = 65;
constexpr int MENU_AUTOCORRECT_FIX_SPACES = 66;
constexpr int MENU_AUTOTEXT_VALIDATE = 69;
constexpr int MENU_AUTOTEXT_FIX_SPACES = 70;
constexpr int MENU_BULK_IMPORT_MULTIWORDS = 73;
constexpr int MENU_POS_ADDED = 74;
constexpr int MENU_POS_SPELLING = 75;
constexpr int MENU_POS_SETTINGS = 76;
constexpr int MENU_RULES_STRUCTURE = 77;
constexpr int MENU_RULES_STRUCTURE_PLAIN = 78;
constexpr int MENU_INDENT_XML = 79;
constexpr int MENU_SORT_SMALL_WORDLIST = 82;
constexpr int MENU_SORT_LARGE_WORDLIST = 83;
constexpr int MENU_CONVERT_XML_ACCENTS = 84;
constexpr int MENU_MASTER_WORDLIST = 85;
constexpr int MENU_DEDUPLICATE_SMALL_WORDLIST = 86;
constexpr int MENU_DEDUPLICATE_LARGE_WORDLIST = 87;
constexpr int MENU_EXTENSION_PROPERTIES = 89;
constexpr int MENU_PREFERENCES = 90;
constexpr int MENU_CHECK_UPDATES = 91;
constexpr int MENU_HTML_HELP = 92;
constexpr int MENU_ABOUT = 93;
constexpr int MENU_RECENT_FIRST = 102;       // "1:" .. "10:" are 102..111
constexpr int MENU_RECENT_LAST = 111;
constexpr int MENU_RECENT_CLEAR = 112;
constexpr int MENU_RECENT_EXTENSION_FIRST = 113;  // 113..122
constexpr int MENU_RECENT_EXTENSION_LAST = 122;
constexpr int MENU_RECENT_EXTENSION_CLEAR = 123;
// The range of items that disable_main_controls turns off.
constexpr int MENU_FIRST_COMMAND = 8;
constexpr int MENU_LAST_COMMAND = 93;

// ---- Keyboard shortcut ids (each posts a menu event with its id) -------------------------------------------------------
constexpr int SHORTCUT_ESCAPE = 1000;
constexpr int SHORTCUT_DELETE = 1001;
constexpr int SHORTCUT_FIND = 1002;
constexpr int SHORTCUT_RETURN = 1003;
constexpr int SHORTCUT_UP = 1004;
constexpr int SHORTCUT_DOWN = 1005;
constexpr int SHORTCUT_OPEN = 1006;
constexpr int SHORTCUT_SAVE = 1007;
constexpr int SHORTCUT_SAVE_AS = 1008;
constexpr int SHORTCUT_QUIT = 1009;
constexpr int SHORTCUT_PAGE_UP = 1010;
constexpr int SHORTCUT_PAGE_DOWN = 1011;
constexpr int SHORTCUT_HOME = 1012;
constexpr int SHORTCUT_END = 1013;
constexpr int SHORTCUT_SELECT_ADD = 1014;    // Ctrl+A adds an entry
constexpr int SHORTCUT_NEXT_TAB = 1015;
constexpr int SHORTCUT_PREVIOUS_TAB = 1016;
constexpr int SHORTCUT_GOTO = 1017;
constexpr int SHORTCUT_UNDO = 1018;
constexpr int SHORTCUT_REDO = 1019;
constexpr int SHORTCUT_HELP = 1020;

// ---- Images ------------------------------------------------------------------------------------------------------------
// What each number shows; the pictures are carried in the program (icons/).
constexpr int IMAGE_MENU_OPEN = 2;
constexpr int IMAGE_MENU_SAVE = 3;
constexpr int IMAGE_MENU_SAVE_AS = 4;
constexpr int IMAGE_MENU_EXIT = 5;
constexpr int IMAGE_EXPORT = 8;
constexpr int IMAGE_MASTER_WORDLIST = 10;
constexpr int IMAGE_STATISTICS = 11;
constexpr int IMAGE_WINDOW_ICON = 13;
constexpr int IMAGE_COMBINE = 22;
constexpr int IMAGE_CLEAN_UP = 23;
constexpr int IMAGE_FIX_SPACES = 24;
constexpr int IMAGE_SORT = 25;
constexpr int IMAGE_DUPLICATES = 26;
constexpr int IMAGE_BUILT_IN_AFF_AID = 30;
constexpr int IMAGE_UNDO = 33;
constexpr int IMAGE_REDO = 34;
constexpr int IMAGE_GO_BOTTOM = 37;
constexpr int IMAGE_AFF_VALIDATE = 45;
constexpr int IMAGE_COMBINE_MENU = 46;
constexpr int IMAGE_HYP_VALIDATE = 53;
constexpr int IMAGE_AFFIX_COLOUR_FIRST = 61;  // 61..68: the affix colour table
constexpr int IMAGE_RECENT_FILES = 70;
constexpr int IMAGE_TAB_UNCHANGED = 71;
constexpr int IMAGE_TAB_CHANGED = 72;
constexpr int IMAGE_FLAG_CHR = 74;
constexpr int IMAGE_FLAG_NUM = 75;
constexpr int IMAGE_FLAG_LONG = 76;
constexpr int IMAGE_AC_VALIDATE = 73;
constexpr int IMAGE_BULK_IMPORT = 69;
constexpr int IMAGE_PREVIEW = 88;
constexpr int IMAGE_THESAURUS_VALIDATE = 89;
constexpr int IMAGE_ADD_ABOVE = 90;
constexpr int IMAGE_ADD_BELOW = 91;
constexpr int IMAGE_RECENT_FILE = 93;
constexpr int IMAGE_GO_TOP = 94;
constexpr int IMAGE_SORT_NUMBERS = 95;
constexpr int IMAGE_READ_ONLY = 103;
constexpr int IMAGE_EXTENSION_OPENED = 106;
constexpr int IMAGE_AUTOTEXT_VALIDATE = 107;
constexpr int IMAGE_REFRESH = 108;
constexpr int IMAGE_CORNER = 110;
constexpr int IMAGE_IMPORT_PROFILE = 114;
constexpr int IMAGE_EXPORT_PROFILE = 115;
constexpr int IMAGE_SAME_VERSION = 116;
constexpr int IMAGE_NEW_VERSION = 117;
constexpr int IMAGE_DOWNLOAD_1 = 118;
constexpr int IMAGE_DOWNLOAD_2 = 119;
constexpr int IMAGE_DOWNLOAD_3 = 120;
constexpr int IMAGE_FILE = 124;
constexpr int IMAGE_OPEN = 125;
constexpr int IMAGE_SAVE = 126;
constexpr int IMAGE_SAVE_AS = 127;
constexpr int IMAGE_FOLDER = 128;
constexpr int IMAGE_OPEN_REFRESH = 30022;
constexpr int IMAGE_CLONE = 30004;
constexpr int IMAGE_EXTRACT_FLAGS = 30006;
constexpr int IMAGE_ADD = 30007;
constexpr int IMAGE_EDIT = 30008;
constexpr int IMAGE_ERASE = 30009;
constexpr int IMAGE_SORT_ALPHABETICALLY = 30010;
constexpr int IMAGE_FIND = 30011;
constexpr int IMAGE_GOTO = 30012;
constexpr int IMAGE_SELECT_ALL = 30017;
constexpr int IMAGE_SELECT_NONE = 30018;
constexpr int IMAGE_INVERT = 30019;
constexpr int IMAGE_DELETE_SELECTED = 30020;
constexpr int IMAGE_DELETE_CURRENT = 30021;
constexpr int IMAGE_HYPHENATE = 30030;
constexpr int IMAGE_FONT = 30031;
constexpr int IMAGE_REMEMBER = 30032;
constexpr int IMAGE_FORGET = 30033;
constexpr int IMAGE_OK = 30034;
constexpr int IMAGE_CANCEL = 30035;
constexpr int IMAGE_CLOSE = 30036;
constexpr int IMAGE_CHECK_UPDATES = 30037;
constexpr int IMAGE_GBZA = 30038;
constexpr int IMAGE_CRUNCH = 30039;
constexpr int IMAGE_CLEAR = 30040;
constexpr int IMAGE_DISPLAY = 30043;
constexpr int IMAGE_REMOVE_COMMENTS = 30046;
constexpr int IMAGE_INDENT_XML = 30047;
constexpr int IMAGE_UNPFX = 30048;
constexpr int IMAGE_REDUNDANCY = 30049;
constexpr int IMAGE_REDUNDANT_FLAGS = 30050;
constexpr int IMAGE_SORT_FLAGS = 30051;
constexpr int IMAGE_EXTENSION = 30052;
constexpr int IMAGE_PREFERENCES = 30053;
constexpr int IMAGE_HELP = 30054;
constexpr int IMAGE_STEP_DONE = 30055;
constexpr int IMAGE_STEP_FAILED = 30056;
constexpr int IMAGE_STEP_RUNNING = 30057;
constexpr int IMAGE_ABOUT = 30059;
constexpr int IMAGE_INFORMATION = 30060;
constexpr int IMAGE_RULE_1 = 30067;
constexpr int IMAGE_RULE_2 = 30068;
constexpr int IMAGE_FLAG = 30069;
constexpr int IMAGE_LOGO = 30081;
constexpr int IMAGE_CODE_CREDIT = 30082;
constexpr int IMAGE_LOGO_CREDIT = 30083;
constexpr int IMAGE_MAIL = 30084;
constexpr int IMAGE_COMPILER = 30085;
constexpr int IMAGE_COMPILER_BADGE = 30086;
constexpr int IMAGE_ICON_CREDIT = 30087;
constexpr int IMAGE_AFF_AID_FIRST = 20000;   // 20000 + n: custom AFF-aid language n
