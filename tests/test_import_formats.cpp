// Reading other launchers' libraries: DOSBox configurations, D-Fend Reloaded
// profiles and DBGL exports, with the inflater, the zip reader and the XML
// reader under them. Where the layouts come from: DOSBox 0.74's dosbox.conf and
// its documentation; the profiles D-Fend Reloaded ships
// (github.com/osgamearchive/D-Fend-Reloaded, "Confs/DOSBox DOS.prof",
// "NewUserData/AutoSetup/*.prof") and the mount types its source names; the
// stylesheets DBGL ships to read its own exports (github.com/egorpe/DBGL
// src/dist/shared/xsl/fancy_html.xsl); PKWARE's APPNOTE.TXT; RFC 1951.
#include "Groups.h"
#include "ImportSamples.h"
#include "TestEnv.h"
#include "import/DbglExport.h"
#include "import/DFendProfile.h"
#include "import/DosBoxConf.h"
#include "import/ImportPaths.h"
#include "import/Inflate.h"
#include "import/Xml.h"
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace {

using Strings = std::vector<std::string>;
using Kinds = std::vector<ImportNoteKind>;
using K = ImportNoteKind;

std::string Join(const Strings& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : ";") + line;
    return out;
}

Kinds KindsOf(const ImportedGame& game) {
    Kinds kinds;
    for (const ImportNote& note : game.importNotes) kinds.push_back(note.kind);
    return kinds;
}

// folder (host) | command | parameters | CD-ROM | lines not understood
std::string Describe(const ImportedGame& g) {
    std::string cd;
    if (g.cdRom.kind != CdRomKind::None) cd = std::string(1, g.cdRom.letter) + "=" + g.cdRom.drive.text;
    for (const ImportedPath& image : g.cdRom.images) cd += (cd.back() == '=' ? "" : ",") + image.text;
    return g.folder.text + (g.folder.style == PathStyle::Host ? " (host)" : "") + " | " + g.command + " | " +
           g.parameters + " | " + cd + " | " + Join(g.unmapped);
}

std::string Text(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(DosBoxConf, AutoexecGivesFolderProgramCdRomAndKeepsWhatItDoesNotUnderstand) {
    const std::tuple<const char*, const char*, Kinds> cases[] = {
        {"[autoexec]\n@echo off\n# note\nrem x\n\nmount c \"C:\\My Games\"\nc:\ncd keen\nkeen4e.exe /nowait  -x\ncls\n"
         "exit\n",
         "C:\\My Games\\keen | keen4e.exe | /nowait  -x |  | ", {}},
        {"[autoexec]\nmount C ..\\dos\nC:\ncd\\games\\keen\\sub\ncd..\nKEEN\\KEEN4E.EXE\n",
         "C:\\dos\\games\\keen | KEEN\\KEEN4E.EXE |  |  | ", {}},
        {"[autoexec]\nmount c /home/ann/dos\nmount d ~/cd -t cdrom -label X\nc:\ncd /KEEN\ncall GO.BAT fast\n",
         "/home/ann/dos/KEEN (host) | GO.BAT | fast | D=~/cd | ", {}},
        {"[autoexec]\nmount c C:\\g\nmount e \\tools\nc:\ncd game\ne:\\bin\\run.exe\n",
         "C:\\tools\\bin | run.exe |  |  | ", {}},
        {"[autoexec]\nmount c .\nimgmount d \"disc 1.iso\" disc2.cue -t iso -fs iso\nimgmount a boot.img -t floppy\n"
         "mount e D:\\ -t cdrom\nmount -u c\nkeyb gr\nloadfix -32\nfoo=bar\nmount z C:\\x\nc:\nFIRST.EXE\n"
         "SECOND.COM -p\n",
         "C:\\Confs | SECOND.COM | -p | D=C:\\Confs\\disc 1.iso,C:\\Confs\\disc2.cue | imgmount a boot.img -t floppy;"
         "mount e D:\\ -t cdrom;mount -u c;keyb gr;loadfix -32;foo=bar;mount z C:\\x;FIRST.EXE", {}},
        {"[autoexec]\nmount c C:\\g\nD:\\GAME.EXE\n", " |  |  |  | ", {K::NoFolder}},
        {"[autoexec]\nGAME.EXE\n", " |  |  |  | GAME.EXE", {K::NoProgram, K::NoFolder}},
        {"[autoexec]\nmount c C:\\g -t floppy\nc:\ncd keen\n", "C:\\g\\keen |  |  |  | ", {K::NoProgram}},
        {"[sdl]\nfullscreen=true\n", " |  |  |  | ", {K::NoProgram, K::NoFolder}},
    };
    for (const auto& [conf, described, notes] : cases) {
        ImportedGame game;
        ApplyDosBoxConf(conf, "C:\\Confs", game);
        EXPECT_EQ(Describe(game), described) << conf;
        EXPECT_EQ(KindsOf(game), notes) << conf;
    }
}

TEST(DosBoxConf, SettingsMapToValuesAndTheRestToExtraLines) {
    ImportedGame game;
    ApplyDosBoxConf(
        "# DOSBox\n[sdl]\nfullscreen = true\r\nOutput=opengl\r[dosbox]\nmachine=ega\nmemsize=16\ncaptures=\n"
        "[sblaster]\nsbtype=sb16\nsbbase=220\nirq=5\ndma=1\nhdma=7\n; "
        "sbtype=none\n[gus]\ngus=true\n[midi]\nmpu401=uart\n"
        "device=mt32\n[cpu]\ncycles=3000\ncycles=max\ncore=auto\n",
        "C:\\", game);
    const DosBoxValues& v = game.dosBox;
    EXPECT_EQ((Strings{v.sbtype, v.sbbase, v.irq, v.dma, v.hdma, v.gus, v.mpu401, v.mididevice, v.machine, v.cycles}),
              (Strings{"sb16", "220", "5", "1", "7", "true", "uart", "mt32", "ega", "max"}));
    EXPECT_EQ(game.extraLines,
              (Strings{"sdl.fullscreen=true", "sdl.Output=opengl", "dosbox.memsize=16", "cpu.core=auto"}));
}

TEST(DosBoxConf, ReadsOneFileOrTheFilesOfAFolder) {
    TempFolder temp("confs");
    const std::string f = temp.path;
    CreateDirectoryA((f + "\\sub").c_str(), nullptr);
    for (const char* name : {"Keen.conf", "sub\\c.conf", "x.config"})
        WriteFileText(f + "\\" + name, "[autoexec]\nmount c .\nc:\nGO.EXE\n");
    WriteFileText(f + "\\b game.CONF", "\xEF\xBB\xBF[autoexec]\nmount c \"C:\\Caf\xC3\xA9\"\nc:\nGO.EXE\n");
    WriteFileText(f + "\\Big.conf", std::string(kMaxConfBytes, '#'));
    WriteFileText(f + "\\Huge.conf", std::string(kMaxConfBytes + 1, '#'));
    const ImportSource source = ReadDosBoxConfs(f);
    ASSERT_EQ(source.status, SourceStatus::Ok);
    Strings titles;
    for (const ImportedGame& g : source.games) titles.push_back(g.title + ":" + g.folder.text + "\\" + g.command);
    EXPECT_EQ(titles, (Strings{"b game:C:\\Caf\xE9\\GO.EXE", "Big:\\", "Huge:\\", "Keen:" + f + "\\GO.EXE"}));
    EXPECT_EQ(KindsOf(source.games[1]), (Kinds{K::NoProgram, K::NoFolder}));
    EXPECT_EQ(KindsOf(source.games[2]), Kinds{K::TooLarge});
    int more = 0;
    EXPECT_EQ(FilesWithExtension(f, ".conf", 1, &more).size(), 1u);
    EXPECT_EQ(more, 3);
    EXPECT_EQ(ReadDosBoxConfs(f + "\\sub\\c.conf").games.at(0).folder.text, f + "\\sub");
    EXPECT_EQ(ReadDosBoxConfs(f + "\\missing").status, SourceStatus::NotFound);
    CreateDirectoryA((f + "\\empty").c_str(), nullptr);
    EXPECT_EQ(ReadDosBoxConfs(f + "\\empty").status, SourceStatus::Empty);
}

TEST(DFendReloaded, ProfilesGiveTheirFactsProgramMountsSettingsAndCapture) {
    for (const auto& [escaped, plain] : std::vector<std::pair<std::string, std::string>>{
             {"a[13][10]b", "a\r\nb"}, {"x[61]y", "x=y"}, {"[13]x[10]", "\r\nx\r\n"}, {"[5][62]", "[5][62]"}})
        EXPECT_EQ(DFendUnescape(escaped), plain) << escaped;
    TempFolder temp("dfend");
    const std::string data = temp.path;
    for (const char* sub : {"\\Confs", "\\Capture", "\\Capture\\Shots", "\\Capture\\Auto"})
        CreateDirectoryA((data + sub).c_str(), nullptr);
    WriteFileText(data + "\\Confs\\Keen.prof",
                  "[Extra]\nExe=.\\VirtualHD\\KEEN\\KEEN4E.EXE\nGameParameters=/nowait\nSetup=.\\VirtualHD\\KEEN\\"
                  "SETUP.EXE\nSetupParameters=/s\nautoexec=keyb gr[13][10]\n0=.\\VirtualHD;Drive;C;False;;\n"
                  "1=D:\\;CDROM;D;True;;\n2=.\\disk.img;FLOPPYIMAGE;A;;;\n3=.\\a.iso$.\\b.iso;CDROMIMAGE;E;;;\n4=\n"
                  "[ExtraInfo]\nName=Commander Keen 4\nGenre=Platform\nDeveloper=id Software\nPublisher=Apogee\n"
                  "Year=1991\nNotes=First line[13][10]a[61]b\n[sblaster]\nsbtype=sbpro2\n[dosbox]\n"
                  "captures=.\\Capture\\Shots\nmemsize=16\n[ScummVM]\nLanguage=en\n");
    WriteFileText(data + "\\Confs\\Auto.prof",
                  "[Extra]\nExe=\n0=.\\VirtualHD;Drive;C;False;;\n1=.\\one.cue$ .\\two.cue;CDROMIMAGE;D;;;\n"
                  "autoexec=C:[13][10]cd GAME[13][10]GO.BAT -x\n");
    const std::vector<char> shot = MakeBmp(4, 2, 0, 0, 255);
    WriteFileBytes(data + "\\Capture\\Shots\\shot.bmp", shot);
    WriteFileText(data + "\\Capture\\Auto\\a.bmp", "BM, but no picture");
    const ImportSource source = ReadDFendProfiles(data);
    ASSERT_EQ(source.games.size(), 2u);
    const ImportedGame& keen = source.games[1];
    EXPECT_EQ((Strings{keen.title, keen.genre, keen.developer, keen.publisher, keen.year, keen.notes, keen.setup.text,
                       keen.setupParameters, keen.dosBox.sbtype}),
              (Strings{"Commander Keen 4", "Platform", "id Software", "Apogee", "1991", "First line\r\na=b",
                       data + "\\VirtualHD\\KEEN\\SETUP.EXE", "/s", "sbpro2"}));
    EXPECT_EQ(Describe(keen), data +
                                  "\\VirtualHD\\KEEN | KEEN4E.EXE | /nowait | D=D:\\ | 2=.\\disk.img;FLOPPYIMAGE;A;;;"
                                  ";3=.\\a.iso$.\\b.iso;CDROMIMAGE;E;;;;keyb gr");
    EXPECT_EQ(keen.extraLines, Strings{"dosbox.memsize=16"});
    EXPECT_EQ(keen.picture, shot);
    const ImportedGame& automatic = source.games[0];  // no name, started by its own autoexec, a damaged capture
    EXPECT_EQ(automatic.title, "Auto");
    EXPECT_EQ(Describe(automatic),
              data + "\\VirtualHD\\GAME | GO.BAT | -x | D=" + data + "\\one.cue," + data + "\\two.cue | ");
    ASSERT_EQ(KindsOf(automatic), Kinds{K::PictureNotTaken});
    EXPECT_EQ(automatic.importNotes[0].picture, PictureFileStatus::NotABitmap);
    EXPECT_EQ(ReadDFendProfiles(data + "\\Confs").games.size(), 2u);
    const ImportSource one = ReadDFendProfiles(data + "\\Confs\\Keen.prof");
    ASSERT_EQ(one.games.size(), 1u);
    EXPECT_EQ(one.games[0].folder.text, keen.folder.text);
    EXPECT_EQ(ReadDFendProfiles(data + "\\Capture").status, SourceStatus::Empty);
    CopyFileA((data + "\\Confs\\Keen.prof").c_str(), (data + "\\Capture\\Keen.prof").c_str(), FALSE);
    EXPECT_EQ(ReadDFendProfiles(data + "\\Capture\\Keen.prof").games.at(0).folder.text,
              data + "\\Capture\\VirtualHD\\KEEN")
        << "a profile outside Confs: its own folder is the data folder";
}

TEST(Inflate, DecodesEveryBlockKindAndRefusesDamageAndLyingSizes) {
    for (const DeflateSample& s : DeflateSamples()) {
        std::vector<char> out;
        EXPECT_EQ(Inflate(s.packed.data(), s.packed.size(), s.text.size(), out), InflateStatus::Ok) << s.what;
        EXPECT_EQ(Text(out), s.text) << s.what;
        EXPECT_EQ(s.crc ? Crc32(out.data(), out.size()) : 0u, s.crc) << s.what;
    }
    const std::vector<DeflateSample> s = DeflateSamples();
    auto bytes = [](const std::vector<unsigned char>& v, size_t from, size_t cut) {
        return std::vector<unsigned char>(v.begin() + from, v.end() - cut);
    };
    std::vector<unsigned char> badLength = s[1].packed;
    badLength[3] ^= 1;
    const std::tuple<const char*, std::vector<unsigned char>, size_t, InflateStatus> cases[] = {
        {"one byte more declared", s[0].packed, s[0].text.size() + 1, InflateStatus::WrongSize},
        {"one byte less declared", s[0].packed, s[0].text.size() - 1, InflateStatus::WrongSize},
        {"a bomb declared small", s[5].packed, 100, InflateStatus::WrongSize},
        {"a distance before the start", bytes(s[2].packed, 17, 0), 33, InflateStatus::Damaged},
        {"cut short", bytes(s[3].packed, 0, 3), s[3].text.size(), InflateStatus::Damaged},
        {"stored length and its complement differ", badLength, s[1].text.size(), InflateStatus::Damaged},
        {"block type 3", {0x07, 0x00}, 0, InflateStatus::Damaged},
        {"nothing", {}, 0, InflateStatus::Damaged},
    };
    for (const auto& [what, packed, size, status] : cases) {
        std::vector<char> out(3, 'x');
        EXPECT_EQ(Inflate(packed.data(), packed.size(), size, out), status) << what;
        EXPECT_TRUE(out.empty()) << what;
    }
}

TEST(Zip, ReadsStoredAndDeflatedEntriesAndRefusesWhatDoesNotFit) {
    TempFolder temp("zip");
    const std::vector<DeflateSample> s = DeflateSamples();
    ZipItem lying = DeflatedItem("lying.txt", s[0]), badCrc = StoredItem("crc.txt", "abc"),
            locked = StoredItem("locked.txt", "abc"), bzip = StoredItem("bzip.txt", "abc"),
            short_ = StoredItem("short", "");
    lying.size -= 1, short_.size = 2, badCrc.crc ^= 1, locked.flags = 1, bzip.method = 12;
    const std::vector<char> zip =
        MakeZip({StoredItem("readme.txt", "plain"), DeflatedItem("dir/Auto.conf", s[3]), DeflatedItem("fixed", s[0]),
                 StoredItem("../up.txt", "x"), StoredItem("/root.txt", "x"), StoredItem("C:x.txt", "x"),
                 StoredItem("a/CON/b.txt", "x"), StoredItem("a\\..\\b.txt", "x"), StoredItem("a//b.txt", "x"), lying,
                 badCrc, locked, bzip, short_});
    const std::string path = temp.path + "\\test.zip";
    WriteFileBytes(path, zip);
    auto archive = std::make_unique<ZipArchive>();
    ASSERT_EQ(archive->Open(path), ZipStatus::Ok);
    EXPECT_EQ(archive->RefusedNames(), 6);
    EXPECT_EQ(archive->Entries().size(), 8u);
    std::vector<char> out;
    EXPECT_EQ(archive->Read("DIR\\auto.conf", 4096, out), ZipStatus::Ok);
    EXPECT_EQ(Text(out), s[3].text);
    EXPECT_EQ(archive->Read("readme.txt", 5, out), ZipStatus::Ok);
    EXPECT_EQ(Text(out), "plain");
    const std::tuple<const char*, size_t, ZipStatus> reads[] = {
        {"readme.txt", 4, ZipStatus::TooLarge},  {"../up.txt", 99, ZipStatus::Missing},
        {"lying.txt", 99, ZipStatus::Damaged},   {"crc.txt", 99, ZipStatus::Damaged},
        {"short", 99, ZipStatus::Damaged},       {"locked.txt", 99, ZipStatus::Unsupported},
        {"bzip.txt", 99, ZipStatus::Unsupported}};
    for (const auto& [name, maxBytes, status] : reads) {
        EXPECT_EQ(archive->Read(name, maxBytes, out), status) << name;
        EXPECT_TRUE(out.empty()) << name;
    }
    archive.reset();  // it holds the file
    std::vector<char> cut(zip.begin(), zip.end() - 1), moved = zip, split = zip;
    moved[moved.size() - 3] = 0x7F;  // the directory's offset points past the end
    split[split.size() - 14] = 1;    // fewer entries on this disk than in all: a split archive
    const std::pair<std::vector<char>, ZipStatus> files[] = {{std::vector<char>(100, 'P'), ZipStatus::NotAZip},
        {cut, ZipStatus::NotAZip}, {moved, ZipStatus::Damaged}, {split, ZipStatus::Unsupported}};
    for (const auto& [bytes, status] : files) {
        WriteFileBytes(path, bytes);
        EXPECT_EQ(ZipArchive().Open(path), status);
    }
    EXPECT_EQ(ZipArchive().Open(temp.path), ZipStatus::CannotOpen);
}

TEST(Xml, ReadsElementsTextReferencesAndCdataAndRefusesTheRest) {
    auto nested = [](int depth) {
        std::string open, close;
        for (int i = 0; i < depth; ++i) open += "<a>", close += "</a>";
        return open + close;
    };
    const std::tuple<std::string, XmlStatus, std::string> cases[] = {
        {"<r><a><b> x &lt;&gt;&amp;&apos;&quot; &#65;&#x42; </b></a></r>", XmlStatus::Ok, "x <>&'\" AB"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c -->\n<r><a x='1' "
         "y=\"a>b\"><b><![CDATA[<i>&amp;</i>]]></b></a></r>\n",
         XmlStatus::Ok, "<i>&amp;</i>"},
        {"<r><a><b>Caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD &#8482; \xFF</b></a><a><b>second</b></a></r>", XmlStatus::Ok,
         "Caf\xE9 \x80 ? \x99 \xFF"},
        {"<?xml version='1.0' encoding='ISO-8859-1'?><r><a><b>\xC3\xA9</b></a></r>", XmlStatus::Ok, "\xC3\xA9"},
        {"<!DOCTYPE r [<!ENTITY x 'y'>]><r>&x;</r>", XmlStatus::HasDtd, ""},
        {nested(kMaxXmlDepth), XmlStatus::Ok, ""},
        {nested(kMaxXmlDepth + 1), XmlStatus::TooLarge, ""},
    };
    for (const auto& [xml, status, text] : cases) {
        const XmlDocument doc = ParseXml(xml.data(), xml.size());
        EXPECT_EQ(doc.status, status) << xml.substr(0, 60);
        EXPECT_EQ(doc.root.Text("a/b"), text) << xml.substr(0, 60);
    }
    for (const std::string damaged :
         {"<r><a></b></r>", "<r>&bogus;</r>", "<r>&#0;</r>", "<r>&#x110000;</r>", "<r/><s/>", "<r></r>text", "<r>", "",
          "<r a=1/>", "<r a='<'/>", "<r><![CDATA[x</r>"})
        EXPECT_EQ(ParseXml(damaged.data(), damaged.size()).status, XmlStatus::Damaged) << damaged;
}

TEST(Dbgl, ExportsGiveTheirProfilesWithTheGamesOwnConfiguration) {
    TempFolder temp("dbgl");
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document>\n "
        "<export><format-version>1.3</format-version></export>\n"
        " <profile><title>Keen 4 &amp; Friends</title><setup>C:\\KEEN7\\SETUP.EXE</setup>"
        "<setup-parameters>/q</setup-parameters><game-dir><raw>KEEN</raw></game-dir>"
        "<config-file><raw>profiles/1.conf</raw></config-file><captures><raw>captures\\1</raw></captures>"
        "<meta-info><developer>id Software</developer><publisher>Apogee</publisher><year>1991</year>"
        "<genre>Caf\xC3\xA9</genre><notes><![CDATA[One & <two>]]></notes></meta-info></profile>\n"
        " <profile><title>Second</title><setup>SECOND\\INSTALL.EXE</setup><game-dir><raw>GAMES\\SECOND</raw></game-dir>"
        "<config-file><raw>profiles\\2.conf</raw></config-file></profile>\n"
        " <profile><title>Third</title><setup>C:\\X.EXE</setup><config-file><raw>profiles/1.conf</raw></config-file>"
        "</profile></document>\n";
    const std::vector<char> shot = MakeBmp(2, 2, 9, 9, 9);
    const std::string path = temp.path + "\\export.zip";
    WriteFileBytes(path, MakeZip({StoredItem("profiles.xml", xml), DeflatedItem("profiles/1.conf", DeflateSamples()[3]),
                                  StoredItem("captures/1/a.bmp", "BM junk"),
                                  StoredItem("captures/1/b.bmp", std::string(shot.begin(), shot.end()))}));
    const ImportSource source = ReadDbglExport(path, "D:\\dosroot");
    ASSERT_EQ(source.status, SourceStatus::Ok);
    ASSERT_EQ(source.games.size(), 3u);
    const ImportedGame& keen = source.games[0];
    EXPECT_EQ((Strings{keen.title, keen.developer, keen.publisher, keen.year, keen.genre, keen.notes, keen.setup.text,
                       keen.setupParameters, keen.dosBox.sbtype}),
              (Strings{"Keen 4 & Friends", "id Software", "Apogee", "1991", "Caf\xE9", "One & <two>",
                       "D:\\dosroot\\KEEN\\KEEN7\\SETUP.EXE", "/q", "sbpro2"}));
    EXPECT_EQ(Describe(keen),
              "D:\\dosroot\\KEEN\\KEEN7 | KEEN6E.EXE | /p6 |  | KEEN0E.EXE /p0;KEEN1E.EXE /p1;"
              "KEEN2E.EXE /p2;KEEN3E.EXE /p3;KEEN4E.EXE /p4;KEEN5E.EXE /p5");
    EXPECT_EQ(keen.picture, shot);
    EXPECT_EQ(KindsOf(keen), Kinds{});
    const ImportedGame& second = source.games[1];  // no configuration in the export: DBGL's own folder
    EXPECT_EQ((Strings{second.folder.text, second.setup.text}),
              (Strings{"D:\\dosroot\\GAMES\\SECOND", "D:\\dosroot\\SECOND\\INSTALL.EXE"}));
    EXPECT_EQ(KindsOf(second), Kinds{K::ConfigNotRead});
    EXPECT_EQ(source.games[2].setup.text, "C:\\X.EXE") << "a DOS path outside the game's folder is the host's";
    const std::pair<std::vector<ZipItem>, SourceStatus> exports[] = {
        {{StoredItem("other.xml", xml)}, SourceStatus::Empty},
        {{StoredItem("profiles.xml", "<!DOCTYPE document><document/>")}, SourceStatus::Unsupported},
        {{StoredItem("profiles.xml", "<document><profile>")}, SourceStatus::Damaged},
        {{StoredItem("profiles.xml", "<list><profile/></list>")}, SourceStatus::Damaged},
        {{StoredItem("profiles.xml", "<document><other/></document>")}, SourceStatus::Empty},
    };
    for (const auto& [items, status] : exports) {
        WriteFileBytes(path, MakeZip(items));
        EXPECT_EQ(ReadDbglExport(path).status, status);
    }
    EXPECT_EQ(ReadDbglExport(temp.path + "\\missing.zip").status, SourceStatus::NotFound);
}

}  // namespace
