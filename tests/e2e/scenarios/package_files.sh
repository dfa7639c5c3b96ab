# The shipped files need nothing beside them on a clean Windows: system DLLs
# only, and MouseCore.dll exports its eight entry points by name and ordinal.
set -u
source "$(dirname "$0")/../lib.sh"
E2E_NAME=package_files
system_dlls='^(KERNEL32|USER32|GDI32|SHELL32|COMCTL32|COMDLG32|ADVAPI32|OLE32|OLEAUT32|PSAPI|WINMM|WININET|msvcrt|SHLWAPI|VERSION|UxTheme)\.dll$'

imports_are_system() {  # OBJDUMP FILE
    local dlls; dlls=$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p')
    [ -n "$dlls" ] && ! grep -viqE "$system_dlls" <<<"$dlls"
}
exports_are() {  # OBJDUMP FILE
    local names; names=$("$1" -p "$2" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *\([0-9]*\)\] \(.*\)/\1 \2/p' | sort -n | tr '\n' ' ')
    [ "$names" = "0 TrapMiddle 1 TrapRight 2 ShowMovement 3 HideMovement 4 UnHookMouse 5 HookMouse 6 GetHookRecPointer 7 HookSysKeys " ]
}

is_gui() { "$1" -p "$2" | grep -q "Subsystem.*(Windows GUI)"; }

for arch in win64:x86_64 win32:i686; do
    dir=$E2E_ROOT/build/${arch%%:*}
    objdump=${arch##*:}-w64-mingw32-objdump
    for f in zoram.exe MouseCore.dll; do
        expect "${arch%%:*} $f imports system DLLs only" imports_are_system "$objdump" "$dir/$f"
    done
    expect "${arch%%:*} MouseCore.dll exports by name with ordinals 1-8" exports_are "$objdump" "$dir/MouseCore.dll"
    expect "${arch%%:*} zoram.exe is a GUI program" is_gui "$objdump" "$dir/zoram.exe"
done
e2e_finish
