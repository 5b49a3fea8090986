/* A tiny demo "game" of the bundled demo library: a window that shows how it was
   started (its command line and working folder) and animates a little scene, and
   a file RANLAST.TXT in its working folder that says the same. Esc quits. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static char g_args[512];
static char g_folder[MAX_PATH];
static int g_frame;

static void Paint(HWND hwnd, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH back = CreateSolidBrush(DEMO_BACK);
    FillRect(dc, &rc, back);
    DeleteObject(back);
    /* A bouncing ball and a few stars: enough to show the game runs. */
    for (int i = 0; i < 40; ++i) {
        int x = (i * 97 + g_frame * (i % 3 + 1)) % (rc.right ? rc.right : 1);
        int y = (i * 53) % (rc.bottom ? rc.bottom : 1);
        SetPixel(dc, x, y, RGB(255, 255, 255));
    }
    int span = rc.right > 40 ? rc.right - 40 : 1;
    int pos = g_frame * 4 % (2 * span);
    int bx = pos < span ? pos : 2 * span - pos;
    HBRUSH ball = CreateSolidBrush(DEMO_FORE);
    HGDIOBJ old = SelectObject(dc, ball);
    Ellipse(dc, bx, rc.bottom - 60, bx + 40, rc.bottom - 20);
    SelectObject(dc, old);
    DeleteObject(ball);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 160));
    char line[700];
    TextOutA(dc, 16, 16, DEMO_TITLE, (int)strlen(DEMO_TITLE));
    SetTextColor(dc, RGB(230, 230, 230));
    snprintf(line, sizeof line, "Started with the arguments: [%s]", g_args);
    TextOutA(dc, 16, 48, line, (int)strlen(line));
    snprintf(line, sizeof line, "Working folder: %s", g_folder);
    TextOutA(dc, 16, 68, line, (int)strlen(line));
    const char* hint = "This demo game really ran. Press Esc to quit.";
    TextOutA(dc, 16, 100, hint, (int)strlen(hint));
}

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Paint(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_TIMER:
            ++g_frame;
            InvalidateRect(hwnd, NULL, FALSE);
            return 0;
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show) {
    (void)prev;
    snprintf(g_args, sizeof g_args, "%s", cmd ? cmd : "");
    GetCurrentDirectoryA(sizeof g_folder, g_folder);
    FILE* f = fopen("RANLAST.TXT", "w");
    if (f) {
        fprintf(f, "%s\nArguments: [%s]\nFolder: %s\n", DEMO_TITLE, g_args, g_folder);
        fclose(f);
    }
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.lpszClassName = "QuillonDemoGame";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA("QuillonDemoGame", DEMO_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 560,
                              300, NULL, NULL, inst, NULL);
    ShowWindow(hwnd, show);
    SetTimer(hwnd, 1, 40, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
