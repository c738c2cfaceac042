CREATE TABLE t (a int CHECK NOT FOR copies (a > 0))
