/* Test helper of the locked-files test: holds a file the way a running Photoshop, a backup
 * program or a virus scanner does, so that Lumivel meets it that way.
 *
 *   hold_file.exe locked FILE READY RELEASE    opens FILE with no sharing at all
 *   hold_file.exe readonly FILE READY RELEASE  gives FILE the read-only attribute
 *
 * Creates the file READY once the hold is in place, waits until the file RELEASE exists (at
 * most 300 s), then lets go (the read-only attribute is taken off again). Exit status: 0 done,
 * 1 the hold could not be made, 3 bad arguments. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static void touch(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 5)
        return 3;
    const wchar_t* mode = argv[1];
    const wchar_t* path = argv[2];
    HANDLE held = INVALID_HANDLE_VALUE;
    DWORD attributes = GetFileAttributesW(path);
    if (wcscmp(mode, L"locked") == 0) {
        held = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (held == INVALID_HANDLE_VALUE)
            return 1;
    } else if (wcscmp(mode, L"readonly") == 0) {
        if (attributes == INVALID_FILE_ATTRIBUTES || !SetFileAttributesW(path, attributes | FILE_ATTRIBUTE_READONLY))
            return 1;
    } else {
        return 3;
    }
    touch(argv[3]);
    for (int waited = 0; waited < 3000 && GetFileAttributesW(argv[4]) == INVALID_FILE_ATTRIBUTES; ++waited)
        Sleep(100);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    else
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    return 0;
}
