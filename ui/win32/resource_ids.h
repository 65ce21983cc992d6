// Resource ids, shared by the resource script and the code.
#pragma once

#define IDI_MAPWELL 1
// The folder and drive icons are in generated/icons/small_icons.h.
#define IDD_INPUTBOX 100
#define IDC_INPUT_PROMPT 101
#define IDC_INPUT_TEXT 102
#define IDD_ABOUT 200
#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_TITLE 202
#define IDC_ABOUT_VERSION 203
#define IDC_ABOUT_DISCLAIMER 204
#define IDC_ABOUT_DESCRIPTION 205
#define IDC_ABOUT_RULE 206
