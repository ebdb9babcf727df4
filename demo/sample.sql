-- The demo's sample database: a product list of 3,000 rows, in UTF-8.
-- The demo runs each statement (ended by ";" at the end of a line) through
-- ODBC the first time it starts, so the script must stay plain SQL that
-- SQLite accepts one statement at a time.

CREATE TABLE products (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  category TEXT NOT NULL,
  quantity INTEGER NOT NULL CHECK (quantity >= 0),
  price NUMERIC NOT NULL,
  in_stock INTEGER NOT NULL CHECK (in_stock IN (0, 1)),
  supplier TEXT
);

-- Names are made of a finish, a material and an article, so that rows differ
-- the way a real catalogue's do; the category follows the article.
CREATE TABLE articles (n INTEGER PRIMARY KEY, article TEXT, category TEXT);
INSERT INTO articles (n, article, category) VALUES
  (0, 'Hammer', 'Tools'), (1, 'Screwdriver', 'Tools'), (2, 'Wrench', 'Tools'),
  (3, 'Desk Lamp', 'Lighting'), (4, 'Floor Lamp', 'Lighting'), (5, 'Bulb Pack', 'Lighting'),
  (6, 'Chair', 'Furniture'), (7, 'Shelf', 'Furniture'), (8, 'Side Table', 'Furniture'),
  (9, 'Garden Hose', 'Garden'), (10, 'Planter', 'Garden'), (11, 'Rake', 'Garden'),
  (12, 'Notebook', 'Office'), (13, 'Stapler', 'Office'), (14, 'Pen Set', 'Office'),
  (15, 'Kettle', 'Kitchen'), (16, 'Cutting Board', 'Kitchen'), (17, 'Mixing Bowl', 'Kitchen');

CREATE TABLE materials (n INTEGER PRIMARY KEY, material TEXT);
INSERT INTO materials (n, material) VALUES
  (0, 'Steel'), (1, 'Oak'), (2, 'Bamboo'), (3, 'Brass'), (4, 'Ceramic'), (5, 'Glass'), (6, 'Walnut');

CREATE TABLE finishes (n INTEGER PRIMARY KEY, finish TEXT);
INSERT INTO finishes (n, finish) VALUES
  (0, 'Classic'), (1, 'Compact'), (2, 'Deluxe'), (3, 'Heavy-Duty'), (4, 'Nordic'), (5, 'Vintage'),
  (6, 'Pro'), (7, 'Slim'), (8, 'Family'), (9, 'Travel'), (10, 'Studio');

INSERT INTO products (id, name, category, quantity, price, in_stock, supplier)
WITH RECURSIVE seq(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM seq WHERE i < 3000)
SELECT i,
       f.finish || ' ' || m.material || ' ' || a.article,
       a.category,
       (i * 37) % 250 * ((i % 9) <> 0),
       round(2.5 + ((i * 7919) % 20000) / 100.0, 2),
       ((i * 37) % 250 * ((i % 9) <> 0)) > 0,
       CASE i % 3 WHEN 0 THEN NULL WHEN 1 THEN 'Nordic Supply' ELSE 'Baltic Trade' END
FROM seq
JOIN articles a ON a.n = i % 18
JOIN materials m ON m.n = (i / 18) % 7
JOIN finishes f ON f.n = (i / 126) % 11;

DROP TABLE articles;
DROP TABLE materials;
DROP TABLE finishes;

-- Some products of suppliers abroad, in their own scripts. A character
-- beyond U+FFFF is written as its code point: a driver manager may pass the
-- statement's text through UCS-2, which has no room for it.
UPDATE products SET name = 'Zürich Oak Shelf', supplier = 'Möbelwerk Zürich AG' WHERE id = 7;
UPDATE products SET name = '日本語 Side Table', supplier = '東京家具' WHERE id = 8;
UPDATE products SET name = 'Smiley Garden Hose ' || char(128512), supplier = NULL WHERE id = 9;
UPDATE products SET name = 'O''Brien Planter', supplier = 'O''Brien & Sons' WHERE id = 10;
UPDATE products SET name = 'Râteau Rake', supplier = 'Outils; Jardin SARL' WHERE id = 11;
UPDATE products SET name = 'Тетрадь Notebook', supplier = NULL WHERE id = 12;
UPDATE products SET name = 'Συρραπτικό Stapler', supplier = 'Αθήνα Γραφείο' WHERE id = 13;
UPDATE products SET name = 'Crème Pen Set', supplier = NULL WHERE id = 14;
