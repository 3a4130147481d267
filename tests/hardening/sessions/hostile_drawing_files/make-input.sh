{
  printf 'Circle 1 2 3 0 '
  head -c $((2 << 20)) /dev/zero | tr '\0' w
  printf ' Square 5 6 7 0\n'
} >input/long_line.txt
printf 'Square 1 2 3 4\nSquare %s 2 3 4\nCircle 5 5 5 0\n' "$(printf '7%.0s' {1..40})" >input/forty.txt
printf 'Triangle -120 -45 9 0\n\0Circle 5 6 7 0\nOval 1 2 3 4 5 0\n' >input/nul.txt
printf '  \n\t\r\n   \r\n' >input/blank.txt
printf 'Oval -2147483648 2147483647 2147483647 -2147483648 15 1\nRect 2147483647 -2147483648 -2147483648 2147483647 16 1\n' >input/extremes.txt
cat >expected/files/all.txt <<'ALL'
Circle     1     2     3     0
Square     1     2     3     4
Triangle     -120     -45     9     0
Oval     1     2     3     4     5     0
Oval     -2147483648     2147483647     2147483647     -2147483648     15     1
Rect     2147483647     -2147483648     -2147483648     2147483647     16     1
ALL
