forty=$(printf '9%.0s' {1..40})
{
  printf 'ZR590_MOUSE(-275, 145);\n'
  printf 'ZR590_MOUSE(10, 20);'
  for _ in $(seq 1 11); do printf 'ZR590_KBD(99);%.0s' $(seq 1 14000); done
  printf '\n'
  printf 'ZR590_MOUSE(%s, -%s);\n' "$forty" "$forty"
  printf 'ZR590_K\0BD(99);\n'
  printf 'ZR590_MOUSE(-275, -215);\n'
} >input/ZR590.SCR
cat >expected/files/scripted.txt <<'SAVED'
Circle     10     20     0     0
Circle     2147483647     -2147483648     0     0
SAVED
