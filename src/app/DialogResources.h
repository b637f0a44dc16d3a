// The program's two dialog templates: the start-up drawing-mode dialog (resource 103) and the
// ranking-name dialog (resource 102), with their item ids.
//
// Built once on first use; main thread.
#pragma once

#include "platform/win/DialogTemplate.h"

constexpr int IDD_BOOT = 103;
constexpr int IDD_NAME = 102;

// Items of both dialogs.
constexpr WORD IDC_PICTURE = 1075;

// Start-up drawing-mode dialog.
constexpr WORD IDC_BOOT_START = 1000;
constexpr WORD IDC_BOOT_STOP = 1001;
constexpr WORD IDC_BOOT_DIRECT3D = 1002;
constexpr WORD IDC_BOOT_DIRECTDRAW = 1003;
constexpr WORD IDC_BOOT_NO_DIALOG = 1004;
constexpr WORD IDC_BOOT_NOTE = 1005;
constexpr WORD IDC_BOOT_GROUP = 1006;

// Ranking-name dialog.
constexpr WORD IDC_NAME_EDIT = 1003;
constexpr WORD IDC_NAME_OK = 1000;
constexpr WORD IDC_NAME_LABEL = 1007;

const DlgTemplate& BootDialogTemplate();
const DlgTemplate& NameDialogTemplate();
