#!/usr/bin/env bash
# Builds the file readers with AddressSanitizer and UndefinedBehaviorSanitizer and runs their
# tests and the fuzz seed corpora through them: a read past a buffer or an overflow that a
# release build survives by luck stops the run here. Only the targets it needs are built.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEDADED_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
targets=(sheets_tests storage_tests files_tests commands_tests fuzz_replay_csv_reader fuzz_replay_sheet_xml
    fuzz_replay_calculation_file fuzz_replay_profile_file fuzz_replay_xls_reader)
cmake --build build-sanitize -j"$(nproc)" --target "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" \
    -R '^(fuzz_replay_|CsvReader|XlsxReader|OdsReader|FixtureWorkbooks|CellText|PreviewGrid|ImportTransfer|CalculationFile|RefusedFile|ProfileFile|Cp1254|CommaText|SafeWrite)'
