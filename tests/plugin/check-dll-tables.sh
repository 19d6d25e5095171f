#!/bin/sh
# Checks a Windows DLL's import and export tables: it may import only DLLs every Windows has (so
# it needs nothing beside it), and it must export VSTPluginMain and nothing else.
# Usage: check-dll-tables.sh OBJDUMP DLL
set -eu
objdump=$1
dll=$2
tables=$("$objdump" -p "$dll")

status=0
imports=$(printf '%s\n' "$tables" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "no import table in $dll"; exit 1; }
for name in $imports; do
    case $(printf '%s' "$name" | tr 'A-Z' 'a-z') in
        kernel32.dll | user32.dll | gdi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
            advapi32.dll | comdlg32.dll | gdiplus.dll | msvcrt.dll | ntdll.dll | \
            api-ms-win-*.dll) echo "import: $name" ;;
        *) echo "unexpected import: $name"; status=1 ;;
    esac
done

exports=$(printf '%s\n' "$tables" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
echo "exports: $(echo $exports | cut -c1-200)"
if [ "$exports" != "VSTPluginMain" ]; then
    echo "expected exactly one export, VSTPluginMain"
    status=1
fi
exit $status
