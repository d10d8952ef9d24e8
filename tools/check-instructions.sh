#!/bin/sh
# Fails when a set-up program holds an instruction that the 80386 lacks, the
# processor Windows 95 itself requires: those the 486, the Pentium and the
# Pentium Pro brought, and anything touching MMX, SSE or AVX registers. It
# reads the linked program, so library helpers are covered too. Prints the
# address and the instruction of each one found.
#   check-instructions.sh OBJDUMP PROGRAM...
set -eu
objdump=$1
shift
status=0
for program in "$@"; do
    "$objdump" -d --no-show-raw-insn "$program" | awk -v program="$(basename "$program")" '
        BEGIN {
            prefix = "^(lock|rep|repz|repnz|repe|repne|data16|data32|addr16|addr32|cs|ds|es|fs|gs|ss|notrack|bnd)$"
            newer = "^(bswap|cmpxchg|cmpxchgl|xadd[bwl]?|invd|wbinvd|invlpg" \
                "|cpuid|rdtscp?|rdmsr|wrmsr|cmpxchg8b|cmpxchg16b|rsm" \
                "|cmov[a-z]+|fcmov[a-z]+|f(u)?comip?|rdpmc|sysenter|sysexit|syscall|sysret|nop[wl]" \
                "|endbr32|endbr64|emms|femms|fisttp[sl]*|ldmxcsr|stmxcsr|fxsave|fxrstor|[slm]fence" \
                "|clflush|prefetch[a-z0-9]*|popcnt|lzcnt|tzcnt|movbe|crc32[bwl]?)$"
        }
        # An instruction line: "  401000:<tab>push   %ebp"; data that the
        # linker keeps in the code section decodes as "(bad)" and is passed over.
        /^ *[0-9a-f]+:\t/ {
            split($0, field, "\t")
            count = split(field[2], word, " ")
            i = 1
            while (i < count && word[i] ~ prefix)
                i++
            if (word[i] ~ newer || field[2] ~ /%[xyz]?mm[0-9]/) {
                sub(/:$/, "", $1)
                printf "%s: 0x%s: %s (the 80386 lacks it)\n", program, $1, field[2]
                found = 1
            }
        }
        END { exit found }' || status=1
done
exit $status
