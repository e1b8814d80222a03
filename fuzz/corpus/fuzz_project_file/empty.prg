Group Of Program File of VARNO
*****
New Project






1
...
*****
0
*****
