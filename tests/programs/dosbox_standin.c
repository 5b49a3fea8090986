/* A stand-in for DOSBox for Windows under Wine: started as "DOSBox.exe -conf
   <file>", it copies the file with each mount line's Windows path made a host
   path (wine_get_unix_file_name) and runs the host's DOSBox (/usr/bin/dosbox,
   or QL_HOST_DOSBOX) with the copy. standin.log beside it gets "conf <file>"
   per start and "exit <code>" when DOSBox has ended. Wine does not wait for a
   host process: a host shell runs DOSBox and writes its exit code into a file
   that this program waits for. A windows program: no console window opens. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef char*(CDECL* UnixNameFn)(LPCWSTR);

static char g_log[MAX_PATH];

static void Log(const char* what, const char* text) {
    FILE* f = fopen(g_log, "ab");
    if (!f) return;
    fprintf(f, "%s %s\r\n", what, text);
    fclose(f);
}

/* The host path of a Windows path, or NULL. */
static char* HostPath(const char* windowsPath) {
    static UnixNameFn unixName;
    WCHAR wide[MAX_PATH];
    if (!unixName)
        unixName = (UnixNameFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, windowsPath, -1, wide, MAX_PATH)) return NULL;
    return unixName(wide);
}

/* Copies the configuration, each mount line's quoted path made a host path. */
static int ConvertConfig(const char* from, const char* to) {
    FILE* in = fopen(from, "rb");
    FILE* out = in ? fopen(to, "wb") : NULL;
    char line[2048], path[MAX_PATH];
    if (!out) {
        if (in) fclose(in);
        return 0;
    }
    while (fgets(line, sizeof line, in)) {
        char* open = strchr(line, '"');
        char* close = open ? strchr(open + 1, '"') : NULL;
        char* host;
        size_t n;
        if (_strnicmp(line, "mount ", 6) != 0 || !close) {
            fputs(line, out);
            continue;
        }
        n = (size_t)(close - open - 1) < sizeof path ? (size_t)(close - open - 1) : sizeof path - 1;
        memcpy(path, open + 1, n);
        path[n] = 0;
        host = HostPath(path);
        fprintf(out, "%.*s\"%s\"%s", (int)(open - line), line, host ? host : path, close + 1);
        if (host) HeapFree(GetProcessHeap(), 0, host);
    }
    fclose(in);
    fclose(out);
    return 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    const char *conf = NULL, *dosbox = getenv("QL_HOST_DOSBOX");
    char hostConf[MAX_PATH], done[MAX_PATH], temp[MAX_PATH], command[4096];
    char *hostConfUnix, *doneUnix;
    FILE* f;
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    unsigned long code = 1;
    int i, read = 0;
    (void)instance, (void)previous, (void)line, (void)show;

    GetModuleFileNameA(NULL, g_log, sizeof g_log);
    strcpy(strrchr(g_log, '\\') + 1, "standin.log");
    for (i = 1; i + 1 < __argc; ++i)
        if (_stricmp(__argv[i], "-conf") == 0) conf = __argv[i + 1];
    Log("conf", conf ? conf : "(none)");
    if (!conf) return 2;
    GetTempPathA(sizeof temp, temp);
    snprintf(hostConf, sizeof hostConf, "%sql_standin_%lu.conf", temp, GetCurrentProcessId());
    snprintf(done, sizeof done, "%s.done", hostConf);
    DeleteFileA(done);
    hostConfUnix = ConvertConfig(conf, hostConf) ? HostPath(hostConf) : NULL;
    doneUnix = HostPath(done);
    if (!hostConfUnix || !doneUnix) {
        Log("exit", "no host copy of the configuration");
        return 3;
    }
    snprintf(command, sizeof command, "/bin/sh -c \"%s -conf '%s'; echo $? > '%s'\"",
             dosbox && *dosbox ? dosbox : "/usr/bin/dosbox", hostConfUnix, doneUnix);
    Log("run", command);
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        Log("exit", "the host's DOSBox did not start");
        return 4;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    while (!read) {
        if ((f = fopen(done, "rb")) != NULL) {
            read = fscanf(f, "%lu", &code) == 1;
            fclose(f);
        }
        if (!read) Sleep(100);
    }
    DeleteFileA(done);
    DeleteFileA(hostConf);
    snprintf(command, sizeof command, "%lu", code);
    Log("exit", command);
    return 0;
}
