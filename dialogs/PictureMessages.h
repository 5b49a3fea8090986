// What the windows say about pictures: why a picture file was not taken, the
// games a conversion could not take whole, and the preview made from picture
// bytes that passed the picture check.
#pragma once
#include "data/GameFile.h"
#include "data/LoaderIni.h"
#include "win/Texts.h"
#include <windows.h>
#include <string>
#include <vector>

// That the picture at |path| could not be loaded, and on the next lines why.
std::string PictureLoadMessage(const std::string& path, PictureFileStatus status, Language language);

// Why the file was not taken, as one sentence.
std::string PictureProblem(PictureFileStatus status, Language language);

// After a conversion: the games whose picture was not taken, and why, and the
// names that are the short names of other game files. Empty when |notes| is.
std::string ConversionNotesText(const std::vector<GameNote>& notes);

// A bitmap for a preview from picture bytes, through the temporary picture
// file; null unless the bytes pass IsUsableBitmap and LoadImageA takes them.
HBITMAP PreviewFromPicture(const std::vector<char>& bytes);
