-- The database of the sql_*.cbo scenarios, made by the CTest fixture
-- scenario.database in the folder the scenarios run in.
CREATE TABLE comuni (id INTEGER PRIMARY KEY, nome TEXT, prov TEXT, abitanti INTEGER, quota REAL, stemma BLOB);
INSERT INTO comuni VALUES (1, 'Forlì', 'FC', 117946, 34, NULL);
INSERT INTO comuni VALUES (2, 'Cantù', 'CO', 40000, 369.5, NULL);
INSERT INTO comuni VALUES (3, 'Èboli', 'SA', 37000, NULL, X'89504E47');
INSERT INTO comuni VALUES (4, 'Roma', 'RM', 2749031, 0.1, NULL);
INSERT INTO comuni VALUES (5, 'l''Aquila', NULL, -3, 1e20, NULL);
