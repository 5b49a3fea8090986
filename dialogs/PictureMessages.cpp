// Picture messages and previews.
#include "dialogs/PictureMessages.h"
#include "data/Bitmap.h"
#include "data/Files.h"
#include "data/Strings.h"

namespace {

// A long list is cut: a message box taller than the screen has no OK button in reach.
constexpr size_t kMaxNamedGames = 20;

std::string NoteText(PictureNote note) {
    switch (note) {
        case PictureNote::OutsideImages: return "its Picture value leads outside the Images folder";
        case PictureNote::DeviceName: return "its Picture value names a device";
        case PictureNote::CannotRead: return "the picture file cannot be read";
        case PictureNote::TooLarge:
            return Format("the picture file is larger than %u MiB", static_cast<unsigned>(kMaxPictureBytes >> 20));
        case PictureNote::NotABitmap: return "the picture file is damaged or is not a Windows bitmap";
        case PictureNote::None: break;
    }
    return {};
}

}  // namespace

std::string PictureProblem(PictureFileStatus status, Language language) {
    switch (status) {
        case PictureFileStatus::CannotRead: return Tr(TextId::PictureUnreadable, language);
        case PictureFileStatus::TooLarge:
            return Format(Tr(TextId::PictureTooLarge, language), static_cast<unsigned>(kMaxPictureBytes >> 20));
        case PictureFileStatus::NotABitmap: return Tr(TextId::PictureNotBitmap, language);
        case PictureFileStatus::Ok: break;
    }
    return {};
}

std::string PictureLoadMessage(const std::string& path, PictureFileStatus status, Language language) {
    return Format(Tr(TextId::PictureNotLoaded, language), path.c_str()) + "\n\n" + PictureProblem(status, language);
}

std::string ConversionNotesText(const std::vector<GameNote>& notes) {
    std::string pictures, others;
    size_t named = 0;
    for (const GameNote& note : notes) {
        if (++named > kMaxNamedGames) break;
        if (!note.result.otherFile.empty())
            others += Format("%s (%s)\n", note.name.c_str(), note.result.otherFile.c_str());
        else
            pictures += Format("%s: %s.\n", note.name.c_str(), NoteText(note.result.picture).c_str());
    }
    std::string text;
    if (!pictures.empty()) text += "These games were converted without their picture:\n" + pictures;
    if (!others.empty())
        text += std::string(text.empty() ? "" : "\n") +
                "These games were not converted: their name is the short name of another game file, which was "
                "kept as it is:\n" +
                others;
    if (notes.size() > kMaxNamedGames)
        text += Format("... and %d more.\n", static_cast<int>(notes.size() - kMaxNamedGames));
    if (!text.empty()) text.pop_back();
    return text;
}

HBITMAP PreviewFromPicture(const std::vector<char>& bytes) {
    if (!IsUsableBitmap(bytes.data(), bytes.size())) return nullptr;
    char temp[MAX_PATH] = "";
    if (!GetTempPathA(sizeof temp, temp)) return nullptr;
    const std::string file = std::string(temp) + "~_quil_~.bmp";
    if (!WriteWholeFile(file, bytes.data(), bytes.size())) return nullptr;
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}
