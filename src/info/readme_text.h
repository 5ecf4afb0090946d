#pragma once

#include <QString>

// The READ ME text, line ends CR LF as written.
QString readMeText();
