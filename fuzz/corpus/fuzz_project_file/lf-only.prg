Group Of Program File of VARNO
*****
New Project






1
...
*****
1
*****
1
no
no
yes
12
34
07/12/2026 12:34:56
1
0
1
1
1
1
1
1
1
0
0
0
0
0
0
255
255
255
255
255
255
...
8421376
1
...
*****