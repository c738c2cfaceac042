CREATE TABLE names (id int NOT NULL, name varchar(41) NOT NULL, nick varchar(9) NULL, CONSTRAINT pk PRIMARY KEY (name))
CREATE INDEX ix ON names (nick, id)
