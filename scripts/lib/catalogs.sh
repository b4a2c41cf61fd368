# Shared by scripts/update-catalogs and scripts/check-catalogs: the texts of the sources as a
# template (xgettext), from every product source (tests and fuzz targets have none).
# catalogs_template OUT
catalogs_template() {
    local out=$1
    local sources
    mapfile -t sources < <(git ls-files --cached --others --exclude-standard 'core/*.cpp' 'core/*.h' 'comm/*.cpp' 'comm/*.h' 'conntest/*.cpp' \
        'conntest/*.h' 'module/*.cpp' 'module/*.h' 'ui/*.cpp' 'ui/*.h' 'tools/*.cpp' 'tools/*.h' | sort)
    xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=Tr --keyword=TrFormat --keyword=TrNoop \
        --keyword=Translate:2 --flag=TrFormat:1:c-format --add-comments=TRANSLATORS: --add-location=file --sort-by-file \
        --package-name=netprobe --msgid-bugs-address="the project's issues" -o "$out" "${sources[@]}"
    # No date: the catalogs change only when their texts do.
    sed -i '/^"POT-Creation-Date: /d' "$out"
}
CATALOG_LANGUAGES=(zh_CN en)
