// Resource ids of the program: dialog templates, controls, bitmaps, icons and
// string-table numbers. Included by the .rc files and by the C++ code, so
// every number is written once. Only #defines here: windres reads it too.
//
// Grouped in bands: first what the whole program shares, then the wizard
// host, then one band per page in the wizard's order, each with the page's
// template, its pictures, its controls, its caption and its help topic. The
// numbers are the ones the program has always had, so a band is no range:
// a new id takes a number free in the whole file.
#ifndef VELBROOK_RES_RESOURCE_H
#define VELBROOK_RES_RESOURCE_H

// ---- The whole program ------------------------------------------------------

// The program's version, as the About box, the page, the manifest and the
// user agent give it.
#define VELBROOK_VERSION         "1.22"

// Icons, raw data.
#define IDI_PROGRAM              128
#define IDR_FAVORITE_LINKS       129

// Windows of the run around the wizard.
#define IDD_ABOUT                132
#define IDD_CREATION_NOTICE      134
#define IDD_MAIN_WINDOW          137

// Messages of the string table.
#define IDS_FILE_TOO_LONG        0
#define IDS_CANCELLED            1
#define IDS_FILE_ERROR           2
#define IDS_MEMORY_ERROR         3
#define IDS_RESOURCE_ERROR       4
#define IDS_BAD_PAGE             5
#define IDS_PAGE_CREATED         6
#define IDS_NO_PAGE              7
#define IDS_COPY_OFFER           8
#define IDS_ABANDON_WORK         30
#define IDS_CLIPBOARD_ERROR      31
#define IDS_PAGE_UNREADABLE      32
#define IDS_REPLACE_FILE         33
#define IDS_PREVIEW_ERROR        34
#define IDS_PUBLISH_DONE         35
#define IDS_PUBLISH_NOT_BESIDE   36
#define IDS_PUBLISH_NO_CONNECTION 37
#define IDS_PUBLISH_AUTH         38
#define IDS_PUBLISH_FILE_TYPE    39
#define IDS_PUBLISH_FULL         40
#define IDS_PUBLISH_TIMEOUT      41
#define IDS_PUBLISH_CANCELLED    42
#define IDS_PUBLISH_NO_TLS       43
#define IDS_PUBLISH_BAD_ANSWER   44
#define IDS_PUBLISH_REFUSED      45
#define IDS_PUBLISH_BAD_NAME     46
#define IDS_PUBLISH_NO_PASSWORD  47
#define IDS_PUBLISH_NOT_WRITTEN  48
#define IDS_PUBLISH_PROGRESS     49
#define IDS_PUBLISH_STOPPING     50
#define IDS_PAGE_KEPT            51
#define IDS_PUBLISH_FREE_SOUND   52
#define IDS_PUBLISH_FREE_PICTURE 53
#define IDS_PUBLISH_FILE_LEFT_OUT 54
#define IDS_PUBLISH_NOT_KIND     55
#define IDS_PUBLISH_UNCHANGED    56
#define IDS_PUBLISH_NOT_KEPT     57
#define IDS_PUBLISH_NOT_FORGOTTEN 58
#define IDS_PUBLISH_SENDING      59
#define IDS_DLL_MISSING          60

// HTML templates of the string table.
#define IDS_CREDIT               16
#define IDS_TITLE_BLOCK          17
#define IDS_HEADER_BLOCK         18
#define IDS_SUBHEADER_BLOCK      19
#define IDS_PICTURE_LINE         20
#define IDS_ITEM_LINE            21
#define IDS_LINK_LINE            22
#define IDS_EMAIL_BLOCK          23
#define IDS_CENTER_OPEN          24
#define IDS_CENTER_CLOSE         25
#define IDS_BLANK_LINES          26
#define IDS_PARAGRAPH            27
#define IDS_RULE                 28
#define IDS_SOUND_LINE           29

// The framework's own texts. Help topics are IDS_HELP_BASE + the help
// context; each page's band holds its own.
#define IDS_MAX_CHARS            100
#define IDS_HELP_CAPTION         101
#define IDS_HELP_MISSING         102
#define IDS_HELP_BASE            200

// Help button of the small dialogs (the host's Help has the same id).
#define IDC_DIALOG_HELP          9

// ---- The wizard host --------------------------------------------------------

// Finish and Cancel are IDOK and IDCANCEL.
#define IDD_WIZARD               6300
#define IDC_WIZARD_HELP          9
#define IDC_WIZARD_BACK          6302
#define IDC_WIZARD_NEXT          6303
#define IDC_WIZARD_RULE          6304

// ---- The welcome page -------------------------------------------------------

#define IDD_WELCOME_PAGE         1001
#define IDB_WELCOME              1000
#define IDC_WELCOME_PICTURE      1000
#define IDC_ABOUT                1028
#define IDS_CAPTION_WELCOME      300
#define IDS_HELP_WELCOME         201

// ---- The title page ---------------------------------------------------------

#define IDD_TITLE_PAGE           6302
#define IDC_WINDOW_TITLE         1001
#define IDC_HEADER               1002
#define IDC_SUBHEADER            1003
#define IDC_HTML3                1004
#define IDC_CENTER_HEADER        1031
#define IDC_CENTER_SUBHEADER     1032
#define IDC_FIT_PHONE            1062
#define IDC_LANGUAGE             1063
#define IDS_CAPTION_TITLE        301
#define IDS_HELP_TITLE           202

// ---- The background page ----------------------------------------------------

#define IDD_BACKGROUND_PAGE      6309
#define IDC_BROWSE_SOUND         1047
#define IDC_SOUND_FILE           1046
#define IDC_BITMAP_FILE          1048
#define IDC_BROWSE_BITMAP        1049
#define IDC_SELECT_COLOR         1050
#define IDC_USE_COLOR            1052
#define IDC_USE_BITMAP           1053
#define IDC_BACKGROUND_SWATCH    1054
#define IDC_FIXED_BACKGROUND     1058
#define IDS_CAPTION_BACKGROUND   302
#define IDS_HELP_BACKGROUND      219

// ---- The text colour page ---------------------------------------------------

#define IDD_TEXT_COLOR_PAGE      6310
#define IDC_CHOOSE_TEXT_COLOR    1055
#define IDC_TEXT_SWATCH          1056
#define IDC_CHOOSE_LINK_COLOR    1057
#define IDC_LINK_SWATCH          1058
#define IDC_CHOOSE_VLINK_COLOR   1059
#define IDC_VLINK_SWATCH         1060
// What a screen reader reads for the three "Choose..." buttons, whose text
// alone does not say it.
#define IDS_NAME_CHOOSE_TEXT     110
#define IDS_NAME_CHOOSE_LINK     111
#define IDS_NAME_CHOOSE_VLINK    112
#define IDS_CAPTION_TEXT_COLOR   303
#define IDS_HELP_COLORS          220

// ---- The picture page -------------------------------------------------------

#define IDD_PICTURE_PAGE         6303
#define IDB_PICTURE_PAGE         1033
#define IDC_PICTURE_FILE         1001
#define IDC_INCLUDE_PICTURE      1005
#define IDC_CENTER_PICTURE       1006
#define IDC_FRAME_PICTURE        1007
#define IDC_BROWSE_PICTURE       1008
#define IDC_PICTURE_ILLUSTRATION 1033
#define IDC_PICTURE_DESCRIPTION  1064
#define IDS_CAPTION_PICTURE      304
#define IDS_HELP_PICTURE         203

// ---- The text page ----------------------------------------------------------

#define IDD_TEXT_PAGE            6304
#define IDC_PAGE_TEXT            1009
#define IDC_IMPORT               1010
#define IDS_CAPTION_TEXT         305
#define IDS_HELP_TEXT            204

// ---- The items page and the item dialog -------------------------------------

#define IDD_ITEMS_PAGE           6305
#define IDD_ITEM                 130
#define IDC_LIST_TITLE           1011
#define IDC_ITEM_LIST            1012
#define IDC_ITEM_ADD             1022
#define IDC_ITEM_INSERT          1013
#define IDC_ITEM_DELETE          1014
#define IDC_ITEM_UP              1029
#define IDC_ITEM_EDIT            1021
#define IDC_ITEM_DOWN            1030
#define IDC_ITEM_VALUE           1021
#define IDS_CAPTION_ITEMS        306
#define IDS_HELP_ITEMS           205
#define IDS_HELP_ITEM            209

// ---- The links page and the link dialog -------------------------------------

#define IDD_LINKS_PAGE           6306
#define IDD_LINK                 131
#define IDC_LINK_LIST            1016
#define IDC_LINK_ADD             1023
#define IDC_LINK_INSERT          1024
#define IDC_LINK_DELETE          1025
#define IDC_LINK_UP              1026
#define IDC_LINK_EDIT            1040
#define IDC_LINK_DOWN            1027
#define IDC_FAVORITES            1014
#define IDC_LINK_TITLE           1015
#define IDC_LINK_REFERENCE       1002
#define IDS_CAPTION_LINKS        307
#define IDS_HELP_LINKS           206
#define IDS_HELP_LINK            210

// ---- The footer page --------------------------------------------------------

#define IDD_FOOTER_PAGE          6307
#define IDC_LAST_UPDATED         1035
#define IDC_STYLE_NONE           1036
#define IDC_STYLE_MARQUEE        1037
#define IDC_STYLE_BLINKING       1038
#define IDC_CENTER_LAST_UPDATED  1039
#define IDC_EMAIL                1017
#define IDS_CAPTION_FOOTER       308
#define IDS_HELP_FOOTER          207

// ---- The publishing page and its progress dialog ----------------------------

#define IDD_PUBLISH_PAGE         6311
#define IDD_PUBLISH_PROGRESS     138
#define IDC_PUBLISH              1070
#define IDC_SITE_NAME            1071
#define IDC_SITE_PASSWORD        1072
#define IDC_REMEMBER             1073
#define IDC_PUBLISH_STATUS       1074
#define IDC_PUBLISH_BAR          1075
#define IDC_FRONT_PAGE           1076
#define IDS_CAPTION_PUBLISH      309
#define IDS_HELP_PUBLISH         211

// ---- The file name page -----------------------------------------------------

#define IDD_FILE_NAME_PAGE       6308
#define IDB_FILE_NAME_PAGE       1042
#define IDC_FILE_NAME            1019
#define IDC_FILE_BROWSE          1020
#define IDC_FILE_PICTURE         1042
#define IDC_CLIPBOARD            1057
#define IDC_PREVIEW              1061
#define IDS_CAPTION_FILE_NAME    310
#define IDS_HELP_FILENAME        208
// The topic of "no output chosen" (IDS_ABANDON_WORK), asked on leaving.
#define IDS_HELP_ABANDON         230

#endif
