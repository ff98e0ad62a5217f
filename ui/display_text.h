#pragma once
// Text from a language file, decoded for display at the window's edge.

#include <QString>

#include <string_view>

#include "text_encoding.h"

QString displayText(std::string_view bytes, const ulmar::TextEncoding& encoding);
