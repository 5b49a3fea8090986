/* Started by the launch tests: writes its working folder and its command line
   into launch_result.txt in the working folder, then ends. */
#include <windows.h>
#include <stdio.h>

int main(void) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    FILE* f = fopen("launch_result.txt", "wb");
    if (!f) return 1;
    fprintf(f, "%s\n%s", folder, GetCommandLineA());
    fclose(f);
    return 0;
}
