/* Resource identifiers, shared by the resource script and the code.
   Plain defines only: windres reads this file too. */
#ifndef BRIGHTLARK_RESOURCE_IDS_H
#define BRIGHTLARK_RESOURCE_IDS_H

/* Application manifest, resource type 24: Windows reads a program's own
   manifest only under id 1 */
#define IDR_MANIFEST 1

/* Version information, type 16: Windows reads a program's own only under
   id 1 */
#define IDR_VERSION 1

/* Icon group of the window class */
#define IDI_SETUP 100

/* Banner shown by the CD menu and the main dialog */
#define IDB_BANNER 200

/* Dialog templates */
#define IDD_MAIN 1000
#define IDD_AGREEMENT 2000
#define IDD_PROGRESS 3000
#define IDD_AUTORUN 4000

/* Items of the main dialog */
#define IDC_MAIN_TITLE 1001
#define IDC_MAIN_SENTENCE 1002
#define IDC_MAIN_FOLDER 1003
#define IDC_MAIN_BROWSE 1004
#define IDC_NEED_WINDOWS 1005
#define IDC_NEED_DISK 1006
#define IDC_NEED_MEMORY 1007
#define IDC_MAIN_BANNER 1010

/* Item of the agreement dialog */
#define IDC_AGREEMENT_TEXT 2001

/* Items of the progress window; it has no text item, so status texts sent
   to IDC_PROGRESS_TEXT show nowhere */
#define IDC_PROGRESS_TEXT 3001
#define IDC_PROGRESS_BAR 3002

/* Options of the CD menu, in the order they are asked, and its banner */
#define IDC_MENU_RUN 4001
#define IDC_MENU_SETUP 4002
#define IDC_MENU_DIRECTX 4003
#define IDC_MENU_SOUNDFX 4004
#define IDC_MENU_EXPLORE 4005
#define IDC_MENU_BANNER 4006

/* Decoration that the code never addresses */
#define IDC_DECORATION -1

/* Payload: the product's files, each one SZDD file under the type name
   "RT_RCDATA", from this id on in the order of their list
   (src/core/payload_files.h) */
#define IDR_PAYLOAD_FIRST 5000

/* The payload's check values, 8 bytes a file under the same type: for each
   file of the list in turn, the CRC-32 of its resource's bytes, then that of
   the file it expands to, each 4 bytes little-endian. Its id ends the
   payload's range. */
#define IDR_PAYLOAD_CHECKS 5010

#endif
