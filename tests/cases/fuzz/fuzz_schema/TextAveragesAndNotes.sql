CREATE TABLE docs (id int NOT NULL, body text NULL, pic image NULL, memo text NULL)
CREATE TABLE drafts (body text)
