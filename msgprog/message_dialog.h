// The message dialog: one notification text in a resizable, always-on-top dialog.
#pragma once

#include <windows.h>

#include <string>

enum class DialogResult { Closed, NotShown };

// Shows the text modally with no owner and returns when the user closed the dialog.
DialogResult RunMessageDialog(HINSTANCE instance, const std::wstring& text);
