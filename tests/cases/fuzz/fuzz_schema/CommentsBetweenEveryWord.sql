CREATE/*1*/TABLE -- 2
/* 3
*/ t/**/(a -- 4
int--5
,b /* 6 */ )
