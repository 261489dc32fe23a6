// Resource ids of the program: dialog templates, controls, bitmaps, icons and
// string-table numbers. Included by the .rc files and by the C++ code, so
// every number is written once. Only #defines here: windres reads it too.
#ifndef VELBROOK_RES_RESOURCE_H
#define VELBROOK_RES_RESOURCE_H

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

// Icons, raw data.
#define IDI_PROGRAM              128
#define IDR_FAVORITE_LINKS       129

// Dialog templates.
#define IDD_CREATION_NOTICE      134
#define IDD_MAIN_WINDOW          137

#endif
