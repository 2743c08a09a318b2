#pragma once
// Integers of the terminal description files, read as the profile functions of the
// terminals' home system read them: optional sign and leading decimal digits, 0 for
// text without digits, the default only when the key is absent or empty.

#include <string>

class CIni;

int ReadProfileInt(const CIni& ini, const wchar_t* section, const wchar_t* key, int defaultValue);
