# A 5,000-character answer to SAVE's and to LOAD's name prompt: the dialog hands over its first
# 255 characters, a name the system accepts. The session's messages are made here too, for the
# sake of their 5,000-character lines. Tool button i is at (25, 45 + 40i).
long=$(head -c 5000 /dev/zero | tr '\0' n)
name=${long:0:255}
cat >messages.txt <<MESSAGES
# The square tool, a square at (0, 0); SAVE and LOAD under the long name; SAVE both squares.
click 25 45
click 300 270
click 25 485
reply $long
click 25 445
reply $long
click 25 485
reply both.txt
MESSAGES
cat >expected/transcript.txt <<TRANSCRIPT
dialog: Enter the name of the file you would like to save to:
reply: $name
dialog: Enter the name of the file you would like to open:
reply: $name
dialog: Enter the name of the file you would like to save to:
reply: both.txt
TRANSCRIPT
printf 'Square     0     0     0     0\n' >"expected/files/$name"
printf 'Square     0     0     0     0\nSquare     0     0     0     0\n' >expected/files/both.txt
