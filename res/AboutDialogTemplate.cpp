// Template 100, the About box.
#include "res/ControlIds.h"
#include "res/Templates.h"

using namespace flags;
using K = ControlKind;

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate dialog{
        ids::IDD_ABOUTBOX,
        "About Zemlo",
        214,
        138,
        "MS Sans Serif",
        8,
        {
            // clang-format off
// kind          caption                                       id               x    y    w    h   style
{K::Picture,  "bitmap142",                                     ids::IDC_STATIC,  7,   7, 187, 98, Border},
{K::Label,    "Zemlo ver. 1.0",                                ids::IDC_STATIC,  7, 108, 119,  8, 0},
{K::Label,    "Copyright (C) 2026 Zemlo",       ids::IDC_STATIC,  7, 120, 124,  8, 0},
{K::Icon,     "zemlo.ico",                                     ids::IDC_STATIC, 133, 109, 21, 20, 0},
{K::PushButton, "OK",                                          ids::IDOK,      156, 114,  50, 14, Default | TabStop | Group},
            // clang-format on
        }};
    return dialog;
}
