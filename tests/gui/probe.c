/* Test helper of the GUI smoke test: reads and fills controls of the program's windows
 * from inside the Wine session, where X11 cannot see them.
 *
 *   probe.exe text TITLE X Y          prints the text of the control whose upper-left
 *                                     corner lies at X,Y in the window's client area
 *   probe.exe item TITLE ID           prints the text of the dialog item ID (decimal)
 *   probe.exe set-item TITLE ID TEXT  sets the text of the dialog item ID
 *
 * TITLE is the exact title of a top-level window. Texts are printed in UTF-8 without a
 * line break. Exit status: 0 done, 1 no such window, 2 no such control, 3 bad arguments. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

struct search {
    HWND parent;
    POINT corner;
    HWND found;
};

static BOOL CALLBACK matchCorner(HWND child, LPARAM data) {
    struct search* search = (struct search*)data;
    RECT place;
    if (GetParent(child) != search->parent || !GetWindowRect(child, &place))
        return TRUE;
    MapWindowPoints(NULL, search->parent, (POINT*)&place, 2);
    if (place.left == search->corner.x && place.top == search->corner.y) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

static int printText(HWND control) {
    LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    wchar_t* text = calloc((size_t)length + 1, sizeof *text);
    SendMessageW(control, WM_GETTEXT, (WPARAM)length + 1, (LPARAM)text);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* utf8 = malloc((size_t)bytes);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, bytes, NULL, NULL);
    fwrite(utf8, 1, (size_t)bytes - 1, stdout);
    fflush(stdout);
    free(utf8);
    free(text);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return 3;
    HWND window = FindWindowW(NULL, argv[2]);
    if (!window)
        return 1;

    if (wcscmp(argv[1], L"text") == 0 && argc == 5) {
        struct search search = {window, {_wtoi(argv[3]), _wtoi(argv[4])}, NULL};
        EnumChildWindows(window, matchCorner, (LPARAM)&search);
        return search.found ? printText(search.found) : 2;
    }
    HWND item = GetDlgItem(window, _wtoi(argv[3]));
    if (wcscmp(argv[1], L"item") == 0 && argc == 4)
        return item ? printText(item) : 2;
    if (wcscmp(argv[1], L"set-item") == 0 && argc == 5)
        return item && SetWindowTextW(item, argv[4]) ? 0 : 2;
    return 3;
}
