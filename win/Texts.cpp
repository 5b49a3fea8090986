// The language of the messages and the texts that have a Spanish variant.
#include "win/Texts.h"

namespace {

Language g_language = Language::English;

struct TextPair {
    TextId id;  // the row's own id: the table is checked against the enum's order
    const char* english;
    const char* spanish;
};

// Halves that two rows share.
constexpr char kSelectGamePath[] = "Select the game path...";
constexpr char kCouldNotOpen[] = "Could not open %s\nPlease verify the settings.";
constexpr char kCouldNotExecuteSpanish[] =
    "No se puede ejecutar %s Por favor introduzca el archivo de configuraci\xF3n correcto.";
constexpr char kVdmSoundMissing[] = "VDMSound cannot be found. \nPlease download VDMSound from\n%s";

constexpr TextPair kTexts[] = {
    {TextId::RegistryError, "There was an error accessing the registry! Aborting...",
     "Error al acceder al registro! Abortando..."},
    {TextId::NoProgramFolder, "Unable to register executable path!", "Imposible registrar la ruta del ejecutable!"},
    {TextId::VdmsIniMissing,
     "VDMSound is installed but VDMS.INI cannot be found.\n\nThe latest version of VDMSound can be downloaded at\n%s",
     "VDMSound instalado pero VDMS.INI no encontrado.\n\nLa \xFAltima versi\xF3n de VDMSound puede ser descargada "
     "en\n%s"},
    {TextId::DataIniFailed, "Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader.",
     "\xA1No se pudo cargar el archivo Data.ini!\nRecupere el archivo o vuelva a instalar Quillon Loader."},
    {TextId::ColumnGame, "Game", "juego"},
    {TextId::ColumnPublisher, "Publisher", "Distribuidora"},
    {TextId::ColumnCategory, "Category",
     "Categor\xED"
     "a"},
    {TextId::ColumnSettings, "Settings", "Opciones"},
    {TextId::TooManyGames, "There are %d games, maximum is %d.\nPlease remove some games.",
     "Hay %d juegos, el m\xE1ximo es %d. Por favor, borre algunos juegos."},
    {TextId::GameCountOne, "%s - %d game", "%s - %d juego."},
    {TextId::GameCountMany, "%s - %d games", "%s - %d juegos."},

    {TextId::NoGameSelected, "No game is selected.", "No seleccionado Juego."},
    {TextId::SelectGamePath, kSelectGamePath, "Seleccionar la ruta del juego..."},
    {TextId::SelectGamePathForSetup, kSelectGamePath, "Seleccionar la ruta del juego.."},
    {TextId::SelectGameFile, "Select the game file to execute...", "Seleccionar el archivo del juego a ejecutar..."},
    {TextId::ExecutablesFilter, "Executables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||",
     "Ejecutables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||"},
    {TextId::SelectSetupFile, "Please select the setup file to execute...",
     "Por favor seleccione el archivo de configuraci\xF3n..."},
    {TextId::CouldNotExecuteGame, "Could not execute %s\nPlease enter the correct command (game file) to execute.",
     kCouldNotExecuteSpanish},
    {TextId::CouldNotExecuteSetup, "Could not execute %s\nPlease enter the correct setup file to execute.",
     kCouldNotExecuteSpanish},
    {TextId::LoaderBatchFailed,
     "Using VDMSound with setup parameters requires a temporary batch file\nwhich could not be created.\n\nPlease "
     "install the game on your Hard Drive.",
     "Usar VDMSound con par\xE1metros definidos requiere un archivo temporal batch que no pudo ser creado. Por favor, "
     "instale el juego en el disco duro C:"},
    {TextId::CouldNotOpen, kCouldNotOpen, "No se puede abrir %s Por favor verifique las opciones."},
    {TextId::CouldNotOpenSetup, kCouldNotOpen, "No se puede abrir. Por favor verifique las opciones."},
    {TextId::NotConfigured,
     "The game has not been configured to setup externally.\n\nWould you like to modify the setup configuration?",
     "El juego no ha sido configurado externamente. \n\nQuieres modificar las opciones?"},
    {TextId::CannotFindFolder, "Cannot find the folder %s\n\nWould you like to find its proper location?",
     "No se puede abrir la carpeta %s  Quieres buscar manualmente su ubicaci\xF3n?"},

    {TextId::SelectGameFirst, "Please select a game in the list first",
     "Por favor seleccione un juego de la lista primero"},
    {TextId::ConfirmDelete, "Are you sure you want to delete %s?", "Estas seguro de querer borrar %s?"},
    {TextId::ConfirmDeleteCaption, "Confirm Deletion", "Confirmar al borrar"},
    {TextId::DeleteFailed,
     "The game file could not be deleted:\n%s\n\nIt may be read-only or in use by another program.",
     "No se pudo borrar el archivo del juego:\n%s\n\nPuede ser de solo lectura o estar en uso por otro programa."},
    {TextId::GamesFolderFailed, "Error! Could not locate %s!", "No se pudo localizar %s!"},
    {TextId::AuthorWebFailed, "Could not open the Farstep web site\n%s",
     "No se puede abrir la p\xE1gina de Farstep:\n%s"},
    {TextId::DataIniNotOpened, "Could not locate Data.ini!", "No se puede localizar el archivo DATA.INI en la ruta."},
    {TextId::VdmSoundMissing, kVdmSoundMissing, "VDMSound no encontrado.  Por favor descargue VDMSound desde\n%s"},
    {TextId::VdmSoundMissingForEdit, kVdmSoundMissing,
     "VDMSound no encontrado.\nPor favor descargue VDMSound desde %s"},
    {TextId::VdmsIniNotOpened, "Could not locate the VDMS.INI file at location:\n%s",
     "No se puede localizar el archivo VDMS.INI en la ruta:\n%s"},
    {TextId::VdmHelpNotOpened, "Could not locate the VDMConfig.hlp file at location:\n%s",
     "VDMConfig.hlp  no encontrado"},
    {TextId::VdmSoundWebFailed, "Could not open the VDMSound web site\n%s",
     "No se puede abrir la p\xE1gina de VDMSound\n%s"},
    {TextId::WebSiteFailed, "Could not open the web site:\n%s", "No se puede abrir la p\xE1gina:\n%s"},
    {TextId::SelectGameProgram, "Please select the game file to execute...",
     "Seleccionar el archivo del juego a ejecutar.."},

    {TextId::PictureNotLoaded, "Could not load bitmap '%s'", "No se puede cargar foto '%s'"},
    {TextId::PictureUnreadable, "The file cannot be read.", "No se puede leer el archivo."},
    {TextId::PictureTooLarge, "The file is larger than %u MiB: too large for a game picture.",
     "El archivo ocupa m\xE1s de %u MB: es demasiado grande para una foto de juego."},
    {TextId::PictureNotBitmap, "The file is damaged or is not a Windows bitmap (BMP).",
     "El archivo est\xE1 da\xF1"
     "ado o no es un mapa de bits de Windows (BMP)."},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<size_t>(TextId::Count), "one row per text");

constexpr bool RowsInOrder() {
    for (size_t i = 0; i < sizeof kTexts / sizeof kTexts[0]; ++i)
        if (kTexts[i].id != static_cast<TextId>(i)) return false;
    return true;
}
static_assert(RowsInOrder(), "the rows follow the enum");

}  // namespace

void SetLanguage(Language language) { g_language = language; }

Language CurrentLanguage() { return g_language; }

const char* Tr(TextId id) { return Tr(id, g_language); }

const char* Tr(TextId id, Language language) {
    const TextPair& row = kTexts[static_cast<size_t>(id)];
    return language == Language::Spanish ? row.spanish : row.english;
}
