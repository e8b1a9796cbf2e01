#pragma once

// Installs the program's and the toolkit's translations for a "Language" value:
// 0 Chinese, 1 English, anything else none. Replaces whatever was installed before,
// so the language can change at run time. Returns false when a resource was missing.
bool installTranslations(int language);

// The resource names of the program's and the toolkit's texts for a language
// (empty when none is to be installed).
const char *programTranslationResource(int language);
const char *toolkitTranslationResource(int language);
