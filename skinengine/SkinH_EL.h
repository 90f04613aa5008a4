#pragma once
// The skin engine, a library of its own that the editor loads at run time by
// file name. A skin file (skinh.she) is a text file in UTF-8:
//
//   # comment lines start with "#" or ";"
//   [palette]
//   Window = #F3F6FB            a QPalette colour role and its colour;
//   Disabled.Text = #9AA4B2     "Disabled." / "Inactive." pick a colour group
//   [style]
//   ...                         the rest of the file is a Qt style sheet
//
// SkinH_Attach_Ex applies the palette and the style sheet to the whole
// application. A missing or malformed file leaves the look unchanged.
#ifdef __cplusplus
extern "C" {
#endif

// Returns 0. Readies the engine; the look changes only with a skin file.
__attribute__((visibility("default"))) int SkinH_Attach(void);

// path: the skin file (UTF-8); password: unused, skins are not encrypted.
// Returns 0 when the skin was applied, 1 when the file could not be read,
// 2 when it is malformed.
__attribute__((visibility("default"))) int SkinH_Attach_Ex(const char* path, const char* password);

#ifdef __cplusplus
}
#endif
