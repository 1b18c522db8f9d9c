/* Makes Win32 find, attribute and INI calls on the Win32 implementation it
 * runs on (Wine here) and prints their answers, one call a block, for the
 * conformance test to compare with the platform layer's answers.
 *
 * Usage: win32_probe SCRIPT. Each line of SCRIPT is one call, its fields
 * separated by tabs:
 *   find  PATTERN              -> "name<TAB>attributes" per entry, then "end"
 *   attr  PATH                 -> the attribute word (-1 when missing)
 *   read  SECTION KEY FILE     -> "count<TAB>value" of GetPrivateProfileStringA
 *   write SECTION KEY VALUE FILE -> 1 or 0
 * Every answer block starts with "call<TAB>N". */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static char* Field(char** cursor) {
    char* start = *cursor;
    char* tab;
    if (start == NULL) {
        return "";
    }
    tab = strchr(start, '\t');
    if (tab != NULL) {
        *tab = '\0';
        *cursor = tab + 1;
    } else {
        *cursor = NULL;
    }
    return start;
}

int main(int argc, char** argv) {
    char line[4096];
    int n = 0;
    FILE* script;
    if (argc != 2 || (script = fopen(argv[1], "rb")) == NULL) {
        fprintf(stderr, "usage: win32_probe SCRIPT\n");
        return 2;
    }
    while (fgets(line, sizeof line, script) != NULL) {
        char* cursor = line;
        char* op;
        line[strcspn(line, "\r\n")] = '\0';
        op = Field(&cursor);
        printf("call\t%d\n", n++);
        if (strcmp(op, "find") == 0) {
            WIN32_FIND_DATAA data;
            HANDLE h = FindFirstFileA(Field(&cursor), &data);
            if (h != INVALID_HANDLE_VALUE) {
                do {
                    printf("%s\t%lu\n", data.cFileName, (unsigned long)data.dwFileAttributes);
                } while (FindNextFileA(h, &data));
                FindClose(h);
            }
            printf("end\n");
        } else if (strcmp(op, "attr") == 0) {
            DWORD word = GetFileAttributesA(Field(&cursor));
            printf("%ld\n", word == INVALID_FILE_ATTRIBUTES ? -1L : (long)word);
        } else if (strcmp(op, "read") == 0) {
            char value[255];
            char* section = Field(&cursor);
            char* key = Field(&cursor);
            DWORD count = GetPrivateProfileStringA(section, key, "(default)", value,
                                                   sizeof value, Field(&cursor));
            printf("%lu\t%s\n", (unsigned long)count, value);
        } else if (strcmp(op, "write") == 0) {
            char* section = Field(&cursor);
            char* key = Field(&cursor);
            char* value = Field(&cursor);
            printf("%d\n", WritePrivateProfileStringA(section, key, value, Field(&cursor)) ? 1 : 0);
        }
        fflush(stdout);
    }
    fclose(script);
    return 0;
}
